#pragma once
// Command line of tintora-report.
#include <optional>
#include <string>
#include <vector>

namespace tintora::report {

enum class ReportMode {
    Printout,  // the laboratory printout of each formula, or with --json its sheet
    Csv,  // one line of properties per formula
    Compare,  // two formulas side by side
    CheckMaterials,  // the material files of a folder
    Pdf,  // the laboratory printout of one formula as a PDF file
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
};

struct ParseResult {
    std::optional<ReportOptions> options;
    std::string error;  // one line, set when options is empty and help is not asked for
    bool help = false;
};

ParseResult parseReportOptions(const std::vector<std::string>& args);

// One line per option.
constexpr const char* HelpText = R"(usage: tintora-report [options] FORMULA.tfx...
       tintora-report --csv [options] FORMULA.tfx...
       tintora-report --compare [options] A.tfx B.tfx
       tintora-report --check-materials [DIR]
       tintora-report --pdf OUT.pdf [--page-size A4|Letter] [options] FORMULA.tfx
  --materials DIR          material folder (default: the Formulas folder)
  --date TEXT              date on the printout (default: today, system short date)
  --volume-percent         percent column by volume instead of by weight
  --json                   the sheet as JSON (one object per line for several formulas), or the comparison
  --csv                    one CSV line of properties and PVC per formula, after a header line
  --compare                two formulas side by side: materials, weights and every property
  --check-materials [DIR]  report faulty material files in DIR (default: the material folder)
  --pdf OUT.pdf            the laboratory printout of one formula as a one-page PDF file
  --page-size A4|Letter    the paper of the PDF (default: the locale's)
  --strict                 exit status 1 after any warning (a material not found)
  --help                   this list
)";

}  // namespace tintora::report
