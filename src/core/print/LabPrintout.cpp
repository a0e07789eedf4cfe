#include "core/print/LabPrintout.h"

#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>

namespace tintora {

namespace {

constexpr std::string_view Title = "L A B O R A T O R Y  P R I N T O U T";
constexpr std::string_view PropertiesTitle = "P H Y S I C A L  P R O P E R T I E S";

// The bars of heading, rule and row frame stand at positions 11, 24, 46, 58 and 69.
constexpr std::string_view TableHeading
    = "  VOLUME   |  MATERIAL  |     DESCRIPTION     |  WEIGHT   | EXT COST | COST/LB ";
constexpr std::string_view TableRule
    = "-----------|------------|---------------------|-----------|----------|---------";
constexpr std::string_view RowFrame = "           |            |                     |           |          |         ";

constexpr int TableRuleLine = 11;
constexpr int TotalCostLine = 7;
constexpr std::size_t DescriptionShownLength = 17;

struct RowColumns {
    int volume = 3, material = 12, description = 25, weight = 50, extendedCost = 61, cost = 71;
};
constexpr RowColumns RowAt{};

struct PropertyLine {
    std::string_view leftLabel;
    PropertyBox left;
    std::string_view rightLabel;
    PropertyBox right;
};

constexpr std::array<PropertyLine, 8> PropertyLines{{
    {"TOTAL WEIGHT    :", PropertyBox::WeightBox, "TOTAL VOLUME    :", PropertyBox::VolumeBox},
    {"BINDER WEIGHT   :", PropertyBox::BinderWtBox, "BINDER VOLUME   :", PropertyBox::BinderVolBox},
    {"COST WEIGHT     :", PropertyBox::CostWtBox, "COST VOLUME     :", PropertyBox::CostVolBox},
    {"PIGMENT WEIGHT  :", PropertyBox::PigmentWtBox, "PIGMENT VOLUME  :", PropertyBox::PigmentVolBox},
    {"SOLIDS WEIGHT   :", PropertyBox::SolidsWtBox, "SOLIDS VOLUME   :", PropertyBox::SolidsVolBox},
    {"VOLATILE WEIGHT :", PropertyBox::VolatileWtBox, "VOLATILE VOLUME :", PropertyBox::VolatileVolBox},
    {"DENSITY         :", PropertyBox::DensityBox, "SPG             :", PropertyBox::SPGBox},
    {"P/B RATIO       :", PropertyBox::PBBox, "VOC             :", PropertyBox::VocBox},
}};

struct PropertyColumns {
    int leftLabel = 0, leftValue = 23, rightLabel = 41, rightValue = 64, divider = 39;
};
constexpr PropertyColumns PropertyAt{};

void draw(std::vector<DrawText>& page, int line, int column, TextStyle style, std::string_view text)
{
    page.push_back({line, column, style, std::string(text)});
}

// A figure may reach over the bar after it (the row limit's 99999.999 and its
// extended cost do), never into the next figure; a property's reaches to the
// label beside it or the page's edge.
constexpr int VolumeRoom = RowAt.material - RowAt.volume;
constexpr int WeightRoom = RowAt.extendedCost - RowAt.weight;
constexpr int ExtendedCostRoom = RowAt.cost - RowAt.extendedCost;
constexpr int CostRoom = PrintoutColumns - RowAt.cost;
constexpr int PropertyRoom = 14;

// As "%8.3f" writes it, within the room of its column.
std::string fieldText(double value, int room)
{
    return formatField(value, 3, 8, room);
}

std::string boxText(const FormulaSheet& sheet, PropertyBox box)
{
    return fieldText(sheet.box(box), PropertyRoom);
}

// A zero weight or volume leaves its field blank, as the grid does.
std::string blankWhenZero(double value, int room)
{
    return value == 0 ? std::string() : fieldText(value, room);
}

std::string shownDescription(std::string_view description)
{
    if (utf8Length(description) <= DescriptionShownLength)
        return std::string(description);
    return utf8Prefix(description, DescriptionShownLength) + "...";
}

void drawHeader(
    std::vector<DrawText>& page, const FormulaSheet& sheet, std::string_view fileName, std::string_view dateText)
{
    using enum TextStyle;
    draw(page, 0, 22, BoldUnderline, Title);
    draw(page, 2, 0, Bold, "FORMULA: ");
    draw(page, 2, 9, Regular, fileName);
    draw(page, 2, 71, Bold, "PAGE:   1");
    draw(page, 3, 0, Regular, sheet.name());
    draw(page, 5, 0, Bold, "DATE:");
    draw(page, 5, 7, Regular, dateText);
    draw(page, 7, 0, Bold, "WEIGHT   :");
    draw(page, 7, 11, Regular, boxText(sheet, PropertyBox::WeightBox));
    draw(page, 7, 25, Bold, "VOLUME   :");
    draw(page, 7, 36, Regular, boxText(sheet, PropertyBox::VolumeBox));
    draw(page, 8, 0, Bold, "COST/LB  :");
    draw(page, 8, 11, Regular, boxText(sheet, PropertyBox::CostWtBox));
    draw(page, 8, 25, Bold, "COST/GAL :");
    draw(page, 8, 36, Regular, boxText(sheet, PropertyBox::CostVolBox));
    draw(page, 8, 50, Bold, "DENSITY     :");
    draw(page, 8, 64, Regular, boxText(sheet, PropertyBox::DensityBox));
    draw(page, 10, 0, Regular, TableHeading);
    draw(page, TableRuleLine, 0, Regular, TableRule);
}

// Rows after the last described row are left out even when they hold a code.
int lastDescribedRow(const FormulaSheet& sheet)
{
    for (int r = SheetRowCount; r >= 1; --r)
        if (!sheet.cell(Column::Description, r).empty())
            return r;
    return 0;
}

// Draws one material row on `line` and returns its extended cost.
double drawRow(std::vector<DrawText>& page, const FormulaSheet& sheet, int r, int line)
{
    using enum TextStyle;
    const double weight = sheet.weight(r);
    const double cost = sheet.row(r).props.Cost;
    const double extendedCost = weight * cost;
    draw(page, line, 0, Regular, RowFrame);
    draw(page, line, RowAt.description, Regular, shownDescription(sheet.cell(Column::Description, r)));
    draw(page, line, RowAt.weight, Regular, blankWhenZero(weight, WeightRoom));
    draw(page, line, RowAt.extendedCost, Regular, fieldText(extendedCost, ExtendedCostRoom));
    draw(page, line, RowAt.cost, Regular, fieldText(cost, CostRoom));
    draw(page, line, RowAt.volume, Regular, blankWhenZero(sheet.volume(r), VolumeRoom));
    draw(page, line, RowAt.material, Regular, sheet.cell(Column::Material, r));
    return extendedCost;
}

struct TableEnd {
    int line;
    double totalCost;
};

// Note rows and empty rows take no line of their own.
TableEnd drawRows(std::vector<DrawText>& page, const FormulaSheet& sheet)
{
    TableEnd end{TableRuleLine, 0.0};
    const int last = lastDescribedRow(sheet);
    for (int r = 1; r <= last; ++r) {
        if (sheet.cell(Column::Material, r).empty())
            continue;
        ++end.line;
        end.totalCost += drawRow(page, sheet, r, end.line);
    }
    return end;
}

void drawPropertyLine(std::vector<DrawText>& page, const FormulaSheet& sheet, int line, const PropertyLine& p)
{
    using enum TextStyle;
    draw(page, line, PropertyAt.leftLabel, Regular, p.leftLabel);
    draw(page, line, PropertyAt.leftValue, Regular, boxText(sheet, p.left));
    draw(page, line, PropertyAt.rightLabel, Regular, p.rightLabel);
    draw(page, line, PropertyAt.rightValue, Regular, boxText(sheet, p.right));
    draw(page, line, PropertyAt.divider, Regular, "|");
}

void drawProperties(std::vector<DrawText>& page, const FormulaSheet& sheet, int n)
{
    using enum TextStyle;
    const std::string fullRule(PrintoutColumns, '-');
    draw(page, n + 1, 0, Regular, fullRule);
    draw(page, n + 3, 22, BoldUnderline, PropertiesTitle);
    draw(page, n + 5, 0, Bold, fullRule);
    int line = n + 6;
    for (const PropertyLine& p : PropertyLines)
        drawPropertyLine(page, sheet, line++, p);
    draw(page, line, 0, Regular, fullRule);
}

using CellLine = std::vector<std::string_view>;

// Writes valid UTF-8 one code point per cell from `column` on; a code point
// starts at each byte that is not a continuation byte (10xxxxxx). A NUL
// becomes the six characters \u0000 in its cell.
void writeAt(CellLine& cells, std::size_t column, std::string_view text)
{
    std::size_t start = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        const bool atBoundary = i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (!atBoundary)
            continue;
        if (cells.size() <= column)
            cells.resize(column + 1, " ");
        const std::string_view character = text.substr(start, i - start);
        // A NUL would end the text for most readers of it; it is written as the JSON writes it.
        cells[column++] = character == std::string_view("\0", 1) ? std::string_view("\\u0000") : character;
        start = i;
    }
}

std::string joinTrimmed(const CellLine& cells)
{
    std::string out;
    for (std::string_view cell : cells)
        out += cell;
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

}  // namespace

std::vector<DrawText> LabPrintPage(
    const FormulaSheet& sheet, std::string_view formulaFileName, std::string_view dateText)
{
    std::vector<DrawText> page;
    drawHeader(page, sheet, formulaFileName, dateText);
    const TableEnd table = drawRows(page, sheet);
    drawProperties(page, sheet, table.line);
    draw(page, TotalCostLine, 50, TextStyle::Bold, "TOTAL COST  :");
    draw(page, TotalCostLine, 64, TextStyle::Regular, fieldText(table.totalCost, PropertyRoom));
    return page;
}

namespace {

std::string withControlsEscaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            out += c;
            continue;
        }
        constexpr const char* Hex = "0123456789abcdef";
        out += "\\u00";
        out += Hex[byte >> 4];
        out += Hex[byte & 0xf];
    }
    return out;
}

}  // namespace

std::string renderPageAsText(const std::vector<DrawText>& page)
{
    int lastLine = -1;
    for (const DrawText& t : page)
        lastLine = std::max(lastLine, t.line);
    // A code or name read from a file may hold control characters: written
    // raw, "\x1b[2J" would clear the terminal. They show escaped, as in JSON.
    std::vector<std::string> texts;
    texts.reserve(page.size());
    for (const DrawText& t : page)
        texts.push_back(withControlsEscaped(t.text));
    // The cells view those texts, which outlive them.
    std::vector<CellLine> lines(static_cast<std::size_t>(lastLine + 1));
    for (std::size_t i = 0; i < page.size(); ++i) {
        const DrawText& t = page[i];
        assert(t.line >= 0 && t.column >= 0);
        writeAt(lines[static_cast<std::size_t>(t.line)], static_cast<std::size_t>(t.column), texts[i]);
    }
    std::string out;
    for (const CellLine& cells : lines)
        out += joinTrimmed(cells) + "\n";
    return out;
}

std::string printoutTitle(std::string_view kind, const FormulaSheet& sheet, std::string_view fileName)
{
    const std::string name = sheet.name().empty() ? std::string(fileName) : sheet.name();
    return kind.empty() ? name : std::string(kind) + " \u2013 " + name;
}

}  // namespace tintora
