#include "core/materials/MadeMaterial.h"

#include "core/calc/Calculate.h"
#include "core/formulas/FormulaFile.h"
#include "core/materials/MaterialWrite.h"
#include "core/sheet/Quantities.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"

#include <system_error>
#include <vector>

namespace tintora {

namespace fs = std::filesystem;

namespace {

// Why a weighed row leaves the mixture's volume unknown; empty when none does.
std::string unknownVolume(const FormulaSheet& sheet)
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet.row(n);
        if (sheet.weight(n) == 0)
            continue;
        if (!row.RowKind)
            return "Material " + sheet.cell(Column::Material, n) + " in row " + std::to_string(n) + " was not found.";
        if (row.props.Spec == 0)
            return "A material has no specific gravity.";
    }
    return {};
}

bool holdsAMaterial(const FormulaSheet& sheet)
{
    for (int n = 1; n <= SheetRowCount; ++n)
        if (!sheet.cell(Column::Material, n).empty())
            return true;
    return false;
}

RowMaterialProps propertiesOf(const FormulaTotals& t)
{
    const double w = t.TotalWeight;
    const double v = t.TotalVolume;
    RowMaterialProps p;
    p.Spec = w / v / WaterPoundsPerGallon;
    p.Cost = t.TotalCost / w;
    p.Vol_Wt = t.VolatileWeight / w;
    p.Pig_Wt = t.PigmentWeight / w;
    p.Voc_Wt = t.VocWeight / w;
    p.Vol_Vol = t.VolatileVolume / v;
    p.Pig_Vol = t.PigmentVolume / v;
    p.Voc_Vol = t.VocVolume / v;
    return p;
}

// The optional keys of the mixture: its EU VOC fraction when any row states
// one (the others counting their Voc_Wt), and the oil absorption of its
// pigment part when every pigment-carrying row has one.
void addOptionalProperties(RowMaterialProps& p, const FormulaSheet& sheet, double totalWeight)
{
    double euVoc = 0, pigment = 0, oil = 0;
    bool anyEuVoc = false, everyOil = true;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const RowMaterialProps& r = sheet.row(n).props;
        const double w = sheet.weight(n);
        if (w == 0 || !sheet.isMaterialRow(n))
            continue;
        anyEuVoc = anyEuVoc || r.EUVoc_Wt.has_value();
        euVoc += w * r.EUVoc_Wt.value_or(r.Voc_Wt);
        if (r.Pig_Wt == 0)
            continue;
        pigment += w * r.Pig_Wt;
        everyOil = everyOil && r.Oil_Abs && *r.Oil_Abs > 0;
        oil += w * r.Pig_Wt * r.Oil_Abs.value_or(0);
    }
    if (anyEuVoc)
        p.EUVoc_Wt = euVoc / totalWeight;
    if (everyOil && pigment > 0)
        p.Oil_Abs = oil / pigment;
}

bool usesCode(const FormulaSheet& sheet, std::string_view code)
{
    for (int n = 1; n <= SheetRowCount; ++n)
        if (equalsIgnoringAsciiCase(sheet.cell(Column::Material, n), code))
            return true;
    return false;
}

std::string twoDigits(int value)
{
    return std::string(value < 10 ? "0" : "").append(std::to_string(value));
}

MadeMaterialPlan refused(std::string problem)
{
    MadeMaterialPlan plan;
    plan.problem = std::move(problem);
    return plan;
}

}  // namespace

MixtureMaterial mixtureOf(const FormulaSheet& sheet)
{
    // The sums of the rows as their cells show them: what Save writes and the
    // next Calculate sums.
    FormulaSheet calculated = sheet;
    const FormulaTotals totals = CalculateTotals(calculated);
    if (!holdsAMaterial(calculated))
        return {{}, "The formula is empty."};
    if (std::string problem = unknownVolume(calculated); !problem.empty())
        return {{}, std::move(problem)};
    if (!(totals.TotalWeight > 0 && totals.TotalVolume > 0))
        return {{}, "The formula's total weight and volume must be above zero."};
    RowMaterialProps properties = propertiesOf(totals);
    addOptionalProperties(properties, calculated, totals.TotalWeight);
    return {properties, {}};
}

MadeMaterialPlan planMadeMaterial(
    const FormulaSheet& sheet, const fs::path& materialFolder, const MadeMaterialRequest& request)
{
    const Result<fs::path> choice = materialFileFor(materialFolder, request.code);
    if (!choice)
        return refused(choice.problem());
    if (auto problem = plainCodeProblem(request.code))
        return refused(std::move(*problem));
    if (request.formulaPath.empty())
        return refused("The formula has no file yet: save it before making a material of it.");
    const std::string code = materialCodeOf(request.code);
    if (usesCode(sheet, code))
        return refused("The formula uses " + code + " itself: a material cannot contain itself.");
    MixtureMaterial mixture = mixtureOf(sheet);
    if (!mixture.ok())
        return refused(std::move(mixture.problem));
    MadeMaterialPlan plan;
    plan.file = choice.value();
    std::error_code ec;
    plan.replaces = fs::exists(fs::symlink_status(plan.file, ec));
    plan.material.Name = !request.name.empty() ? request.name : !sheet.name().empty() ? sheet.name() : code;
    plan.material.props = mixture.props;
    plan.source = shownFileName(request.formulaPath);
    plan.made = isoDate(request.made);
    return plan;
}

std::string replaceMaterialQuestion(const MadeMaterialPlan& plan)
{
    return shownFileName(plan.file.native()) + " already exists. Replace it?";
}

Result<FileStamp> writeMadeMaterial(const MadeMaterialPlan& plan)
{
    if (!plan.ok())
        return Failure(plan.problem);
    std::vector<IniChange> changes = materialChanges(plan.material, formatRoundTrip);
    changes.push_back({MaterialSection, "Source", plan.source, IniQuoting::Exact, "the formula's file name"});
    changes.push_back({MaterialSection, "Made", plan.made, IniQuoting::Exact});
    return writeIniChanges(plan.file, changes);
}

std::string isoDate(CalendarDate date)
{
    std::string year = std::to_string(date.year);
    if (year.size() < 4)
        year.insert(0, 4 - year.size(), '0');
    return year + "-" + twoDigits(date.month) + "-" + twoDigits(date.day);
}

}  // namespace tintora
