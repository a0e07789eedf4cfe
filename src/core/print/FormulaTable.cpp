#include "core/print/FormulaTable.h"

#include "core/text/NumberText.h"

namespace tintora {

namespace {

struct PropertyCaption {
    PropertyBox box;
    const char* name;
    const char* unit;
};

// In the order of the window's boxes: the totals, then by weight, then by volume.
constexpr std::array<PropertyCaption, PropertyBoxCount> Captions{{
    {PropertyBox::WeightBox, "Weight", "lb"},
    {PropertyBox::VolumeBox, "Volume", "gal"},
    {PropertyBox::CostWtBox, "Cost per pound", "$/lb"},
    {PropertyBox::CostVolBox, "Cost per gallon", "$/gal"},
    {PropertyBox::DensityBox, "Density", "lb/gal"},
    {PropertyBox::SPGBox, "Specific gravity", ""},
    {PropertyBox::PBBox, "Pigment to binder", ""},
    {PropertyBox::VocBox, "VOC", "g/l"},
    {PropertyBox::BinderWtBox, "Binder by weight", "%"},
    {PropertyBox::PigmentWtBox, "Pigment by weight", "%"},
    {PropertyBox::SolidsWtBox, "Solids by weight", "%"},
    {PropertyBox::VolatileWtBox, "Volatile by weight", "%"},
    {PropertyBox::BinderVolBox, "Binder by volume", "%"},
    {PropertyBox::PigmentVolBox, "Pigment by volume", "%"},
    {PropertyBox::SolidsVolBox, "Solids by volume", "%"},
    {PropertyBox::VolatileVolBox, "Volatile by volume", "%"},
}};

std::optional<double> cellNumber(const FormulaSheet& sheet, Column column, int row)
{
    const std::string& text = sheet.cell(column, row);
    if (trimBlanks(text).empty())
        return std::nullopt;
    return numberFromText(text);
}

FormulaTableRow tableRow(const FormulaSheet& sheet, int r)
{
    FormulaTableRow row;
    row.code = sheet.cell(Column::Material, r);
    row.description = sheet.cell(Column::Description, r);
    row.note = row.code.empty();
    if (row.note)
        return row;
    row.weight = cellNumber(sheet, Column::Weight, r);
    row.volume = cellNumber(sheet, Column::Volume, r);
    row.percent = cellNumber(sheet, Column::Percent, r);
    if (sheet.isMaterialRow(r)) {
        row.spec = sheet.row(r).props.Spec;
        row.costPerPound = sheet.row(r).props.Cost;
    }
    return row;
}

}  // namespace

FormulaTable formulaTable(const FormulaSheet& sheet)
{
    FormulaTable table;
    table.name = sheet.name();
    table.percentTitle = sheet.percentTitle();
    for (int r = 1; r <= SheetRowCount; ++r)
        if (!sheet.cell(Column::Material, r).empty() || !sheet.cell(Column::Description, r).empty())
            table.rows.push_back(tableRow(sheet, r));
    for (std::size_t i = 0; i < Captions.size(); ++i)
        table.properties[i] = {Captions[i].box, Captions[i].name, Captions[i].unit, sheet.box(Captions[i].box)};
    return table;
}

bool readAsSpreadsheetFormula(std::string_view text)
{
    return !text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos;
}

std::string asSpreadsheetText(std::string_view text)
{
    return readAsSpreadsheetFormula(text) ? std::string("'").append(text) : std::string(text);
}

}  // namespace tintora
