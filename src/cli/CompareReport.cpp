#include "CompareReport.h"

#include "PropertyKeys.h"
#include "ReportFormula.h"
#include "TextTable.h"

#include "core/calc/PigmentVolumeConcentration.h"
#include "core/formulas/FormulaFile.h"
#include "core/text/NumberText.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace tintora::report {

namespace {

struct MaterialRow {
    std::string code;
    std::string description;
    double weight = 0;
    bool matched = false;
};

// A row that names a material, found or not; notes are left aside.
std::vector<MaterialRow> materialRows(const FormulaSheet& sheet)
{
    std::vector<MaterialRow> rows;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const std::string& code = sheet.cell(Column::Material, n);
        if (!code.empty())
            rows.push_back({code, sheet.cell(Column::Description, n), sheet.weight(n)});
    }
    return rows;
}

struct ComparedRow {
    std::string code;
    std::string description;
    std::optional<double> a, b;  // the weight in each formula; none where it lacks the material
};

// Rows in A's order, each with the first row of B not yet taken that has the
// same code without regard to case (a code used twice pairs in order); then
// the rows of B that found no partner.
std::vector<ComparedRow> matchRows(const std::vector<MaterialRow>& rowsA, std::vector<MaterialRow> rowsB)
{
    std::vector<ComparedRow> compared;
    for (const MaterialRow& a : rowsA) {
        ComparedRow row{a.code, a.description, a.weight, std::nullopt};
        for (MaterialRow& b : rowsB)
            if (!b.matched && equalsIgnoringAsciiCase(a.code, b.code)) {
                b.matched = true;
                row.b = b.weight;
                break;
            }
        compared.push_back(std::move(row));
    }
    for (const MaterialRow& b : rowsB)
        if (!b.matched)
            compared.push_back({b.code, b.description, std::nullopt, b.weight});
    return compared;
}

struct ComparedProperty {
    std::string name;
    std::optional<double> a, b;  // the PVC is none without solids
};

std::vector<ComparedProperty> compareProperties(const FormulaSheet& a, const FormulaSheet& b)
{
    std::vector<ComparedProperty> properties;
    properties.reserve(std::size(ReportedProperties) + 1);  // and the PVC
    for (const PropertyBox box : ReportedProperties)
        properties.push_back({propertyKey(box), a.box(box), b.box(box)});
    auto pvc = [](const FormulaSheet& sheet) -> std::optional<double> {
        const auto value = pigmentVolumeConcentration(sheet);
        return value ? std::optional(roundToThreeDecimals(*value)) : std::nullopt;
    };
    properties.push_back({PvcKey, pvc(a), pvc(b)});
    return properties;
}

// A weight a formula lacks counts as 0 in the change.
double changeOf(const ComparedRow& row)
{
    return row.b.value_or(0) - row.a.value_or(0);
}

std::optional<double> changePercentOf(const ComparedRow& row)
{
    if (!row.a || *row.a == 0)
        return std::nullopt;
    return changeOf(row) / *row.a * 100;
}

std::optional<double> changeOf(const ComparedProperty& p)
{
    if (!p.a || !p.b)
        return std::nullopt;
    return *p.b - *p.a;
}

std::string shown(std::optional<double> value)
{
    return value ? formatThreeDecimals(*value) : std::string();
}

// "+1.500", "-1.500"; nothing where nothing changed, so that changes stand out.
std::string shownChange(std::optional<double> change)
{
    if (!change)
        return {};
    const std::string text = formatThreeDecimals(*change);
    if (text == "0.000")
        return {};
    return text.front() == '-' ? text : "+" + text;
}

// The same materials in the same weights, and so the same figures; the
// figures are compared too, as weights with more than three decimals in a
// file count with all of them.
bool identical(const std::vector<ComparedRow>& rows, const std::vector<ComparedProperty>& properties)
{
    for (const ComparedRow& row : rows)
        if (!row.a || !row.b || formatThreeDecimals(*row.a) != formatThreeDecimals(*row.b))
            return false;
    for (const ComparedProperty& p : properties)
        if (p.a != p.b)
            return false;
    return true;
}

struct Side {
    std::string path;
    LoadedFormula formula;
};

// Two files alike in every material and figure may still carry different
// formula names, which the one line for identical formulas would hide.
bool namesDiffer(const Side& a, const Side& b)
{
    return a.formula.sheet.name() != b.formula.sheet.name();
}

void writeIdentical(const Side& a, const Side& b)
{
    std::cout << shownFileName(a.path) << " and " << shownFileName(b.path)
              << " are identical: the same materials in the same weights";
    if (namesDiffer(a, b))
        std::cout << "; the names differ: \"" << a.formula.sheet.name() << "\" and \"" << b.formula.sheet.name() << '"';
    std::cout << "\n";
}

void writeText(
    const Side& a, const Side& b, const std::vector<ComparedRow>& rows, const std::vector<ComparedProperty>& properties)
{
    std::cout << "A: " << shownFileName(a.path) << "  " << a.formula.sheet.name() << "\n"
              << "B: " << shownFileName(b.path) << "  " << b.formula.sheet.name() << "\n\n";
    TextTable materials({{"Material", Align::Left}, {"Description", Align::Left}, {"Weight A", Align::Right},
        {"Weight B", Align::Right}, {"Change", Align::Right}, {"Change %", Align::Right}});
    for (const ComparedRow& row : rows)
        materials.add({row.code, row.description, shown(row.a), shown(row.b), shownChange(changeOf(row)),
            shownChange(changePercentOf(row))});
    std::cout << materials.render() << "\n";
    TextTable figures({{"Property", Align::Left}, {"A", Align::Right}, {"B", Align::Right}, {"Change", Align::Right}});
    for (const ComparedProperty& p : properties)
        figures.add({p.name, shown(p.a), shown(p.b), shownChange(changeOf(p))});
    std::cout << figures.render();
}

void writeJson(
    const Side& a, const Side& b, const std::vector<ComparedRow>& rows, const std::vector<ComparedProperty>& properties)
{
    auto side = [](const Side& s) {
        return nlohmann::ordered_json{{"file", shownFileName(s.path)}, {"name", s.formula.sheet.name()},
            {MissingMaterialsKey, s.formula.missingMaterialRows.size()}};
    };
    nlohmann::ordered_json materials = nlohmann::ordered_json::array();
    for (const ComparedRow& row : rows)
        materials.push_back({{"material", row.code}, {"description", row.description},
            {"weight_lb_a", jsonNumber(row.a)}, {"weight_lb_b", jsonNumber(row.b)},
            {"change_lb", jsonNumber(changeOf(row))}, {"change_pct", jsonNumber(changePercentOf(row))}});
    nlohmann::ordered_json figures = nlohmann::ordered_json::array();
    for (const ComparedProperty& p : properties)
        figures.push_back({{"property", p.name}, {"a", jsonNumber(p.a)}, {"b", jsonNumber(p.b)},
            {"change", jsonNumber(changeOf(p))}});
    const nlohmann::ordered_json all = {{"a", side(a)}, {"b", side(b)}, {"identical", identical(rows, properties)},
        {"names_differ", namesDiffer(a, b)}, {"rows", materials}, {"properties", figures}};
    std::cout << all.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

}  // namespace

int compareReport(const ReportOptions& options, const std::filesystem::path& materialFolder)
{
    const PercentBasis basis = options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight;
    const MaterialFiles materials(materialFolder);
    // Both files are tried, so that both problems are told at once.
    auto a = loadFormula(options.formulaPaths[0], materials, basis);
    auto b = loadFormula(options.formulaPaths[1], materials, basis);
    if (!a || !b)
        return 1;
    const Side sideA{options.formulaPaths[0], std::move(*a)};
    const Side sideB{options.formulaPaths[1], std::move(*b)};
    const auto rows = matchRows(materialRows(sideA.formula.sheet), materialRows(sideB.formula.sheet));
    const auto properties = compareProperties(sideA.formula.sheet, sideB.formula.sheet);
    if (options.json)
        writeJson(sideA, sideB, rows, properties);
    else if (identical(rows, properties))
        writeIdentical(sideA, sideB);
    else
        writeText(sideA, sideB, rows, properties);
    return 0;
}

}  // namespace tintora::report
