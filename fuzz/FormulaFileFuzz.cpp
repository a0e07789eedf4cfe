// Any bytes as a formula file, and as the material files it names: loading
// must neither crash nor leave anything but finite figures in the sheet, and
// the printout of it must be built. The same bytes as the VOC limits table
// and the last optimisation's settings: the compliance figures are finite
// when known, and a verdict is "within" only on a known VOC.
#include "FuzzFolder.h"
#include "core/calc/Calculate.h"
#include "core/calc/PanelCalculate.h"
#include "core/compliance/Compliance.h"
#include "core/formulas/FormulaFile.h"
#include "core/formulas/OptimiseSection.h"
#include "core/materials/MaterialFile.h"
#include "core/print/LabPrintout.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tintora;
    const fuzz::ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.path();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const IniFile ini = IniFile::parse(bytes);

    // The same bytes serve as the formula and as every material it names: one
    // file, linked under each name (a name given twice links once).
    const std::filesystem::path formula = folder / "f.tfx";
    std::ofstream(formula, std::ios::binary) << bytes;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const std::string code = ini.readString("Formula", "Material" + std::to_string(n), "");
        std::error_code ignored;
        if (MaterialFiles::codeNamesAFile(code) && code.size() < 200)
            std::filesystem::create_hard_link(formula, folder / (code + ".rm"), ignored);
    }
    FormulaSheet sheet;
    FormulaLoad(sheet, formula.string(), folder);
    for (int b = 0; b < PropertyBoxCount; ++b)
        if (!std::isfinite(sheet.box(static_cast<PropertyBox>(b))))
            std::abort();
    // Every figure reads as a number, and no row holds a weight beyond the row limit.
    for (int n = 1; n <= SheetRowCount; ++n) {
        for (Column c : {Column::Weight, Column::Volume, Column::Percent})
            if (!parseNumberText(sheet.cell(c, n)))
                std::abort();
        if (std::abs(numberFromText(sheet.cell(Column::Weight, n))) > RowWeightLimit)
            std::abort();
    }
    (void)renderPageAsText(LabPrintPage(sheet, "f.tfx", "today"));

    const FilmBuild film = filmBuild(sheet);
    for (const std::optional<double>& figure : {film.pvc, film.cpvc, film.lambda, euVocContent(sheet)})
        if (figure && !std::isfinite(*figure))
            std::abort();
    const VocLimitsTable table = vocLimitsOf(ini);
    for (const VocCategory& category : table.categories)
        for (const ProductType type : {ProductType::WaterBorne, ProductType::SolventBorne}) {
            const VocVerdict verdict = vocVerdict(sheet, &category, type);
            if (verdict.state == VocVerdict::State::Within && !(verdict.voc && *verdict.voc <= *verdict.limit))
                std::abort();
        }
    (void)readOptimiseSection(ini);
    return 0;
}
