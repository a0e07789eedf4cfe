#pragma once
// Command line of tintora-report.
#include "OptimiseOptions.h"
#include "PlantOptions.h"
#include "ReformulationOptions.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tintora::report {

enum class ReportMode {
    Printout,  // the laboratory printout of each formula, or with --json its sheet
    Csv,  // one line of properties per formula
    Compare,  // two formulas side by side
    CheckMaterials,  // the material files of a folder
    Pdf,  // the laboratory printout of one formula as a PDF file
    WhereUsed,  // the formulas of a folder that use a material
    MakeMaterial,  // one formula written as a material file
    CheckVoc,  // the VOC of every formula of a folder against its category's limit
    CostChange,  // what new prices of materials do to the cost of a folder's formulas
    UpdateMade,  // the made materials of a folder made again from their formulas
};

enum class PageSize { Locale, A4, Letter };

struct ReportOptions {
    ReportMode mode = ReportMode::Printout;
    std::optional<std::string> materialFolder;  // default: defaultMaterialFolder()
    std::optional<std::string> date;  // default: today, system short date
    bool volumePercent = false;
    bool json = false;
    bool strict = false;  // any warning makes the exit status 1
    std::vector<std::string> formulaPaths;
    std::optional<std::string> checkFolder;  // --check-materials DIR; default: the material folder
    std::string pdfPath;  // --pdf OUT.pdf
    std::optional<PageSize> pageSize;  // --page-size; default: the locale's
    ReformulationOptions reformulation;  // --recalc, --scale, --marks, --write, --force
    OptimiseOptions optimise;  // --optimise, --vary, --keep, --limit, --minimise
    std::string materialCode;  // --where-used CODE, --make-material CODE
    std::optional<std::string> whereUsedFolder;  // --where-used CODE DIR; default: the Formulas folder
    std::optional<std::string> vocFolder;  // --check-voc DIR; default: the Formulas folder
    // --cost-change CODE=COST,...: each code with its new cost per pound, in the order given
    std::vector<std::pair<std::string, double>> newCosts;
    // --cost-change or --update-made DIR; default: the Formulas folder
    std::optional<std::string> priceFolder;
    bool dryRun = false;  // --dry-run: --update-made writes nothing
    bool csv = false;  // --csv: with --where-used or --check-voc, the form of its list
    bool csvLocale = false;  // --locale: --csv in the user's locale's decimal sign (and ';' after a comma)
    bool force = false;  // --force: --make-material replaces an existing file
    PlantOptions plant;  // --batch, --lot, --materials-list, --xlsx
};

struct ParseResult {
    std::optional<ReportOptions> options;
    std::string error;  // one line, set when options is empty and help is not asked for
    bool help = false;
};

ParseResult parseReportOptions(const std::vector<std::string>& args);

// One line per option.
constexpr const char* HelpText = R"(usage: tintora-report [options] FORMULA.tfx...
       tintora-report --csv [--locale] [options] FORMULA.tfx...
       tintora-report --compare [options] A.tfx B.tfx
       tintora-report --check-materials [DIR]
       tintora-report --pdf OUT.pdf [--page-size A4|Letter] [options] FORMULA.tfx
       tintora-report --recalc QUANTITY=VALUE --marks ROWS [--write OUT.tfx [--force]] [options] FORMULA.tfx
       tintora-report --batch SIZE [--lot TEXT] [--pdf OUT.pdf [--page-size A4|Letter]] [options] FORMULA.tfx
       tintora-report --materials-list [DIR] [--csv | --pdf OUT.pdf [--page-size A4|Letter]]
       tintora-report --xlsx OUT.xlsx [options] FORMULA.tfx...
       tintora-report --scale weight=VALUE|volume=VALUE|percent [--write OUT.tfx [--force]] [options] FORMULA.tfx
       tintora-report --optimise [--vary ROWS] [--limit LIMIT]... [--keep TOTAL] [--minimise COST] [options] FORMULA.tfx
       tintora-report --where-used CODE [--json|--csv] [DIR]
       tintora-report --make-material CODE [--force] [--materials DIR] FORMULA.tfx
       tintora-report --check-voc [--strict] [--csv|--json] [--materials DIR] [DIR]
       tintora-report --cost-change CODE=COST[,CODE=COST...] [--json|--csv] [--materials DIR] [DIR]
       tintora-report --update-made [--dry-run] [--date yyyy-mm-dd] [--materials DIR] [DIR]
  --materials DIR          material folder (default: the Materials folder)
  --date TEXT              date on the printout (default: today, system short date);
                           with --make-material and --update-made the date made, yyyy-mm-dd
  --volume-percent         percent column by volume instead of by weight
  --json                   the sheet as JSON (one object per line for several formulas), or the comparison
  --csv                    one CSV line of properties and PVC per formula, after a header line
  --locale                 with --csv: the locale's decimal sign, and ';' between fields where that is a comma
  --compare                two formulas side by side: materials, weights and every property
  --check-materials [DIR]  report faulty material files in DIR (default: the material folder)
  --pdf OUT.pdf            the laboratory printout of one formula as a one-page PDF file
  --page-size A4|Letter    the paper of the PDF (default: the locale's)
  --recalc QUANTITY=VALUE  scale the marked rows so that QUANTITY becomes VALUE (weight, volume, cost-wt,
                           cost-vol, binder-wt, binder-vol, pigment-wt, pigment-vol, solids-wt, solids-vol,
                           volatile-wt, volatile-vol, density, spg, voc, pb, voc-eu, lambda), then print
                           the formula
  --marks ROWS             the rows --recalc scales: numbers separated by commas, or all
  --scale weight=VALUE|volume=VALUE|percent
                           scale every weighed row to that total weight, total volume or 100 lb
  --optimise               the weights of the varied rows that make the formula cost least within the limits,
                           then the formula and its cost before and after
  --vary ROW[=MIN..MAX],...|all
                           the rows --optimise varies (bounds 0..99999.999 when not given), or every material row
  --keep volume[=V]|weight[=W]
                           the total --optimise keeps (default: volume, at the formula's own)
  --limit NAME>=V|NAME<=V|NAME=A..B
                           a limit on a figure named as in --json (solids_vol_pct, pvc_pct, voc_eu_g_per_l,
                           cpvc_pct, lambda ...); again: the other side
  --minimise cost-vol|cost-wt
                           the cost --optimise makes least: per gallon (default) or per pound
  --write OUT.tfx          also save the changed formula as OUT.tfx (after --optimise, with its settings)
  --where-used CODE [DIR]  the formulas in DIR (default: the Formulas folder) that use material CODE
  --make-material CODE     write FORMULA's mixture as material CODE into the material folder
  --check-voc [DIR]        the VOC of every formula in DIR (default: the Formulas folder) against the limit of
                           its category in DIR's voc-limits.ini: over, ok, no category or unknown
  --cost-change CODE=COST,...
                           the cost per pound and per gallon, now and at these prices, of every formula in DIR
                           (default: the Formulas folder) that uses one of the codes, directly or through made
                           materials, largest change first; nothing is written
                           (the supplier raises tio2 to 2.10: tintora-report --cost-change tio2=2.10)
  --update-made            make every made material of the material folder again from its formula in DIR
                           (default: the Formulas folder) and write the changed ones
                           (after a price change: tintora-report --update-made --dry-run, then --update-made)
  --dry-run                with --update-made: list what would change, write nothing
  --force                  let --write replace an existing formula, --make-material a material file,
                           or --pdf and --xlsx an existing file (never a formula or material file)
  --strict                 exit status 1 after any warning (a material not found); with --check-voc
                           also for a formula with no category or an unknown VOC
  --batch SIZE             the batch ticket of one formula scaled to SIZE (500lb, 55gal), as text or with --pdf
  --lot TEXT               the lot number on the batch ticket
  --materials-list [DIR]   every material of DIR (default: the material folder), as text, with --csv or with --pdf
  --xlsx OUT.xlsx          the formulas as a workbook: a sheet of properties, then one sheet per formula
  --help                   this list
Without a folder named, the Formulas and Materials folders are those chosen in the window's
Options > Folders... (kept in ~/.config/Vantrel.conf), else the Formulas folder the program uses.
With --cost-change and --update-made, a DIR given without --materials holds the materials too.
)";

}  // namespace tintora::report
