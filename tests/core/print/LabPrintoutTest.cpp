#include "core/print/LabPrintout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tintora {

// Readable failure messages: line, column, style and the text in quotes.
void PrintTo(const DrawText& t, std::ostream* os)
{
    static constexpr const char* styles[] = {"Regular", "Bold", "BoldUnderline"};
    *os << "{" << t.line << ", " << t.column << ", " << styles[static_cast<int>(t.style)] << ", \"" << t.text << "\"}";
}

namespace {

using enum TextStyle;

const std::string RowFrame = "           |            |                     |           |          |         ";
const std::string FullRule(80, '-');

struct RowSetup {
    int row = 1;
    std::string code;
    std::string description;
    std::string weight;
    std::string volume;
    double cost = 0;
    bool isMaterial = true;
};

void put(FormulaSheet& sheet, const RowSetup& r)
{
    sheet.setCell(Column::Material, r.row, r.code);
    sheet.setCell(Column::Description, r.row, r.description);
    sheet.setCell(Column::Weight, r.row, r.weight);
    sheet.setCell(Column::Volume, r.row, r.volume);
    sheet.row(r.row).props.Cost = r.cost;
    sheet.row(r.row).RowKind = r.isMaterial;
}

FormulaSheet sheetWith(const std::vector<RowSetup>& rows)
{
    FormulaSheet sheet;
    for (const RowSetup& r : rows)
        put(sheet, r);
    return sheet;
}

// Sixteen different values, so that a box read in the wrong place shows.
void setGlossWhiteBoxes(FormulaSheet& sheet)
{
    const std::vector<std::pair<PropertyBox, double>> values = {
        {PropertyBox::WeightBox, 650},
        {PropertyBox::VolumeBox, 56.5},
        {PropertyBox::CostWtBox, 1.388},
        {PropertyBox::CostVolBox, 15.973},
        {PropertyBox::DensityBox, 11.504},
        {PropertyBox::SPGBox, 1.38},
        {PropertyBox::PBBox, 1.25},
        {PropertyBox::VocBox, 240.5},
        {PropertyBox::BinderWtBox, 21.538},
        {PropertyBox::BinderVolBox, 42.1},
        {PropertyBox::PigmentWtBox, 38.462},
        {PropertyBox::PigmentVolBox, 13.274},
        {PropertyBox::SolidsWtBox, 69.231},
        {PropertyBox::SolidsVolBox, 55.4},
        {PropertyBox::VolatileWtBox, 30.769},
        {PropertyBox::VolatileVolBox, 44.6},
    };
    for (const auto& [box, value] : values)
        sheet.setBox(box, value);
}

// Two materials with a note between them.
FormulaSheet glossWhiteSheet()
{
    FormulaSheet sheet = sheetWith({
        {1, "TIO2", "Titanium Dioxide, Rutile", "  250.000", "    7.500", 1.85},
        {2, "", "Premix 15 minutes", "", "", 0, false},
        {3, "ALKYD-50", "Alkyd resin 50%", "  400.000", "   49.000", 1.1},
    });
    sheet.setName("Gloss White Enamel");
    setGlossWhiteBoxes(sheet);
    return sheet;
}

std::vector<std::string> renderedLines(const std::vector<DrawText>& page)
{
    std::vector<std::string> lines;
    std::istringstream in(renderPageAsText(page));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<DrawText> textsOnLine(const std::vector<DrawText>& page, int line)
{
    std::vector<DrawText> found;
    for (const DrawText& t : page)
        if (t.line == line)
            found.push_back(t);
    return found;
}

// (line, material text) of every printed row, in drawing order.
std::vector<std::pair<int, std::string>> printedRows(const std::vector<DrawText>& page)
{
    std::vector<std::pair<int, std::string>> rows;
    for (const DrawText& t : page) {
        if (t.column == 0 && t.text == RowFrame)
            rows.emplace_back(t.line, "");
        if (t.column == 12 && !rows.empty() && t.line == rows.back().first)
            rows.back().second = t.text;
    }
    return rows;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot open " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// --- header ---------------------------------------------------------------

TEST(LabPrintoutTest, HeaderTextsAreDrawnFirstInTheirOrder)
{
    const std::vector<DrawText> expected = {
        {0, 22, BoldUnderline, "L A B O R A T O R Y  P R I N T O U T"},
        {2, 0, Bold, "FORMULA: "},
        {2, 9, Regular, "GLOSSWHT.tfx"},
        {2, 71, Bold, "PAGE:   1"},
        {3, 0, Regular, "Gloss White Enamel"},
        {5, 0, Bold, "DATE:"},
        {5, 7, Regular, "03/14/2024"},
        {7, 0, Bold, "WEIGHT   :"},
        {7, 11, Regular, " 650.000"},
        {7, 25, Bold, "VOLUME   :"},
        {7, 36, Regular, "  56.500"},
        {8, 0, Bold, "COST/LB  :"},
        {8, 11, Regular, "   1.388"},
        {8, 25, Bold, "COST/GAL :"},
        {8, 36, Regular, "  15.973"},
        {8, 50, Bold, "DENSITY     :"},
        {8, 64, Regular, "  11.504"},
        {10, 0, Regular, "  VOLUME   |  MATERIAL  |     DESCRIPTION     |  WEIGHT   | EXT COST | COST/LB "},
        {11, 0, Regular, "-----------|------------|---------------------|-----------|----------|---------"},
    };
    const std::vector<DrawText> page = LabPrintPage(glossWhiteSheet(), "GLOSSWHT.tfx", "03/14/2024");
    ASSERT_GE(page.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(page[i], expected[i]) << "header text " << i;
}

TEST(LabPrintoutTest, NoOpenFileLeavesTheFileNameEmpty)
{
    const std::vector<DrawText> page = LabPrintPage(FormulaSheet{}, "", "1/2/2025");
    EXPECT_EQ(page.at(2), (DrawText{2, 9, Regular, ""}));
    EXPECT_EQ(renderedLines(page).at(2), "FORMULA:" + std::string(63, ' ') + "PAGE:   1");
}

// --- the parts below the table, for tables of different lengths ----------

struct TailCase {
    const char* name;
    int rows;  // material rows filled from row 1
    int lastRowLine;
    std::string totalCost;
};

FormulaSheet sheetOfMaterialRows(int count)
{
    FormulaSheet sheet;
    for (int r = 1; r <= count; ++r)
        put(sheet,
            {r, std::string("M").append(std::to_string(r)), std::string("Material ").append(std::to_string(r)), "2", "",
                0.25});
    return sheet;
}

TEST(LabPrintoutTest, PropertiesBlockFollowsTheLastPrintedRow)
{
    const std::vector<TailCase> cases = {
        {"empty sheet", 0, 11, "   0.000"},
        {"one row", 1, 12, "   0.500"},
        {"all 36 rows", 36, 47, "  18.000"},
    };
    for (const TailCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<DrawText> page = LabPrintPage(sheetOfMaterialRows(c.rows), "F.tfx", "d");
        const std::vector<std::pair<int, std::string>> rows = printedRows(page);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.rows));
        for (int i = 0; i < c.rows; ++i)
            EXPECT_EQ(rows[i], std::make_pair(12 + i, std::string("M").append(std::to_string(i + 1))));

        const int n = c.lastRowLine;
        const std::vector<std::pair<int, DrawText>> tail = {
            {n + 1, {n + 1, 0, Regular, FullRule}},
            {n + 3, {n + 3, 22, BoldUnderline, "P H Y S I C A L  P R O P E R T I E S"}},
            {n + 5, {n + 5, 0, Bold, FullRule}},
            {n + 14, {n + 14, 0, Regular, FullRule}},
        };
        for (const auto& [line, text] : tail)
            EXPECT_EQ(textsOnLine(page, line), std::vector<DrawText>{text}) << "line " << line;
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(textsOnLine(page, n + 6 + k).size(), 5u) << "property line " << k;
        EXPECT_EQ(page.back().line, 7);
        EXPECT_EQ(renderedLines(page).size(), static_cast<std::size_t>(n + 15));
        EXPECT_EQ(page[page.size() - 2], (DrawText{7, 50, Bold, "TOTAL COST  :"}));
        EXPECT_EQ(page.back(), (DrawText{7, 64, Regular, c.totalCost}));
    }
}

TEST(LabPrintoutTest, EmptySheetRendersHeadingRulesAndProperties)
{
    const std::vector<std::string> lines = renderedLines(LabPrintPage(FormulaSheet{}, "", ""));
    ASSERT_EQ(lines.size(), 26u);
    const std::vector<std::pair<int, std::string>> expected = {
        {7, "WEIGHT   :    0.000      VOLUME   :    0.000      TOTAL COST  :    0.000"},
        {10, "  VOLUME   |  MATERIAL  |     DESCRIPTION     |  WEIGHT   | EXT COST | COST/LB"},
        {11, "-----------|------------|---------------------|-----------|----------|---------"},
        {12, FullRule},
        {13, ""},
        {14, "                      P H Y S I C A L  P R O P E R T I E S"},
        {16, FullRule},
        {17, "TOTAL WEIGHT    :         0.000        | TOTAL VOLUME    :         0.000"},
        {24, "P/B RATIO       :         0.000        | VOC             :         0.000"},
        {25, FullRule},
    };
    for (const auto& [line, text] : expected)
        EXPECT_EQ(lines[line], text) << "line " << line;
}

TEST(LabPrintoutTest, PropertyLinesShowEachBoxBesideItsLabel)
{
    struct PropertyLineCase {
        std::string leftLabel, leftValue, rightLabel, rightValue;
    };
    const std::vector<PropertyLineCase> expected = {
        {"TOTAL WEIGHT    :", " 650.000", "TOTAL VOLUME    :", "  56.500"},
        {"BINDER WEIGHT   :", "  21.538", "BINDER VOLUME   :", "  42.100"},
        {"COST WEIGHT     :", "   1.388", "COST VOLUME     :", "  15.973"},
        {"PIGMENT WEIGHT  :", "  38.462", "PIGMENT VOLUME  :", "  13.274"},
        {"SOLIDS WEIGHT   :", "  69.231", "SOLIDS VOLUME   :", "  55.400"},
        {"VOLATILE WEIGHT :", "  30.769", "VOLATILE VOLUME :", "  44.600"},
        {"DENSITY         :", "  11.504", "SPG             :", "   1.380"},
        {"P/B RATIO       :", "   1.250", "VOC             :", " 240.500"},
    };
    // Two printed rows: the table ends on line 13, the property lines start on 19.
    const std::vector<DrawText> page = LabPrintPage(glossWhiteSheet(), "G.tfx", "");
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const int line = 19 + static_cast<int>(k);
        const PropertyLineCase& e = expected[k];
        const std::vector<DrawText> drawn = {
            {line, 0, Regular, e.leftLabel},
            {line, 23, Regular, e.leftValue},
            {line, 41, Regular, e.rightLabel},
            {line, 64, Regular, e.rightValue},
            {line, 39, Regular, "|"},
        };
        EXPECT_EQ(textsOnLine(page, line), drawn) << "property line " << k;
    }
}

// --- which rows are printed ----------------------------------------------

struct SelectionCase {
    const char* name;
    std::vector<RowSetup> rows;
    std::vector<std::pair<int, std::string>> printed;
    std::string totalCost;
};

TEST(LabPrintoutTest, PrintsRowsWithACodeUpToTheLastDescribedRow)
{
    const std::vector<SelectionCase> cases = {
        {"a note row between materials leaves no gap",
            {{1, "A", "First", "10", "", 1}, {2, "", "Stir well", "", "", 0, false}, {3, "B", "Second", "20", "", 2}},
            {{12, "A"}, {13, "B"}}, "  50.000"},
        {"empty rows between materials leave no gap", {{2, "A", "First", "10", "", 1}, {9, "B", "Second", "20", "", 2}},
            {{12, "A"}, {13, "B"}}, "  50.000"},
        {"a code below the last description is neither printed nor costed",
            {{1, "A", "First", "10", "", 1}, {2, "B", "", "20", "", 2}}, {{12, "A"}}, "  10.000"},
        {"a code without description above the last description is printed",
            {{1, "B", "", "20", "", 2}, {2, "A", "First", "10", "", 1}}, {{12, "B"}, {13, "A"}}, "  50.000"},
        {"a closing note row is not printed",
            {{1, "A", "First", "10", "", 1}, {5, "", "Adjust viscosity", "", "", 0, false}}, {{12, "A"}}, "  10.000"},
        {"notes only", {{1, "", "Stir well", "", "", 0, false}, {36, "", "End", "", "", 0, false}}, {}, "   0.000"},
        {"a material in the last row", {{36, "Z", "Last", "4", "", 0.5}}, {{12, "Z"}}, "   2.000"},
    };
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<DrawText> page = LabPrintPage(sheetWith(c.rows), "F.tfx", "d");
        EXPECT_EQ(printedRows(page), c.printed);
        EXPECT_EQ(page.back(), (DrawText{7, 64, Regular, c.totalCost}));
        const int closingRule = 11 + static_cast<int>(c.printed.size()) + 14;
        EXPECT_EQ(textsOnLine(page, closingRule), (std::vector<DrawText>{{closingRule, 0, Regular, FullRule}}));
    }
}

// --- the fields of one printed row ---------------------------------------

struct RowFieldCase {
    const char* name;
    RowSetup row;
    std::string description, weight, extendedCost, cost, volume;
};

TEST(LabPrintoutTest, RowFieldsAreDrawnFrameFirstThenEachValueInOrder)
{
    const std::vector<RowFieldCase> cases = {
        {"material row", {1, "TIO2", "Titanium Dioxide", "  250.000", "    7.500", 1.85}, "Titanium Dioxide",
            " 250.000", " 462.500", "   1.850", "   7.500"},
        {"missing material", {1, "GONE-42", "Material not found", "  12.500", "", 0, false}, "Material not foun...",
            "  12.500", "   0.000", "   0.000", ""},
        {"cost is printed without looking at the row kind", {1, "OLD", "Material not found", "10", "", 2, false},
            "Material not foun...", "  10.000", "  20.000", "   2.000", ""},
        {"empty weight", {1, "W0", "No weight yet", "", "", 1.25}, "No weight yet", "", "   0.000", "   1.250", ""},
        {"weight written as zero", {1, "W0", "Zero", "   0.000", "   0.000", 1.25}, "Zero", "", "   0.000", "   1.250",
            ""},
        {"unreadable weight counts as zero", {1, "X", "Typo", "12a", "", 3}, "Typo", "", "   0.000", "   3.000", ""},
        {"zero cost", {1, "WATER", "Water", "100", "  12.000", 0}, "Water", " 100.000", "   0.000", "   0.000",
            "  12.000"},
        {"17 characters are printed whole", {1, "CACO3", "Calcium Carbonate", "1", "", 1}, "Calcium Carbonate",
            "   1.000", "   1.000", "   1.000", ""},
        {"18 characters are cut to 17", {1, "CACO3", "Calcium Carbonates", "1", "", 1}, "Calcium Carbonate...",
            "   1.000", "   1.000", "   1.000", ""},
        {"17 code points in more bytes are printed whole", {1, "TIO2", "Dióxido de titâni", "1", "", 1},
            "Dióxido de titâni", "   1.000", "   1.000", "   1.000", ""},
        {"18 code points are cut by code point", {1, "TIO2", "Dióxido de titânio", "1", "", 1}, "Dióxido de titâni...",
            "   1.000", "   1.000", "   1.000", ""},
        {"negative weight", {1, "N", "Credit", "-5", "", 2}, "Credit", "  -5.000", " -10.000", "   2.000", ""},
        {"values wider than their field", {1, "BIG", "Bulk", "99999.999", "12345.678", 2}, "Bulk", "99999.999",
            "199999.998", "   2.000", "12345.678"},
    };
    for (const RowFieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<DrawText> expected = {
            {12, 0, Regular, RowFrame},
            {12, 25, Regular, c.description},
            {12, 50, Regular, c.weight},
            {12, 61, Regular, c.extendedCost},
            {12, 71, Regular, c.cost},
            {12, 3, Regular, c.volume},
            {12, 12, Regular, c.row.code},
        };
        const std::vector<DrawText> page = LabPrintPage(sheetWith({c.row}), "F.tfx", "d");
        EXPECT_EQ(textsOnLine(page, 12), expected);
        EXPECT_EQ(page.back().text, c.extendedCost);
    }
}

TEST(LabPrintoutTest, LongCodeIsPrintedWholeOverTheBar)
{
    const FormulaSheet sheet = sheetWith({{1, "ABCDEFGHIJKLM", "Resin", "100", "", 2}});
    const std::string expectedLine = std::string(11, ' ') + "|"  // volume field, empty
        + "ABCDEFGHIJKLM"  // columns 12-24, over the bar
        + "Resin" + std::string(16, ' ') + "|" + "   " + " 100.000" + "|" + "  " + " 200.000" + "|" + " " + "   2.000";
    EXPECT_EQ(renderedLines(LabPrintPage(sheet, "F.tfx", "d")).at(12), expectedLine);
}

TEST(LabPrintoutTest, TotalCostIsDrawnLastOverAWideVolume)
{
    FormulaSheet sheet;
    sheet.setBox(PropertyBox::VolumeBox, 1e12);  // "1000000000000.000" reaches column 52
    const std::vector<std::string> lines = renderedLines(LabPrintPage(sheet, "F.tfx", "d"));
    // A figure wider than its column fills it with "*", as a spreadsheet shows ####.
    EXPECT_EQ(lines.at(7), "WEIGHT   :    0.000      VOLUME   : **************TOTAL COST  :    0.000");
}

// A material of absurd figures (a cost of 1e308) prints stars across its
// columns; no line grows past the page.
TEST(LabPrintoutTest, FiguresHundredsOfDigitsWideStayInTheirColumns)
{
    FormulaSheet sheet = sheetWith({{1, "ABSURD", "Absurd", "  10.000", "1e305", 1e308}});
    sheet.setBox(PropertyBox::CostWtBox, 1e308);
    sheet.setBox(PropertyBox::VolumeBox, -1e300);
    for (const std::string& line : renderedLines(LabPrintPage(sheet, "F.tfx", "d")))
        EXPECT_LE(line.size(), 80u) << line;
    const std::vector<DrawText> row = textsOnLine(LabPrintPage(sheet, "F.tfx", "d"), 12);
    EXPECT_NE(std::find(row.begin(), row.end(), DrawText{12, 71, TextStyle::Regular, std::string(9, '*')}), row.end());
}

// Control characters read from a file show escaped, never raw on a terminal.
TEST(LabPrintoutTest, ControlCharactersShowEscaped)
{
    const FormulaSheet sheet = sheetWith({{1, "\x1b[2Jtio2", "Tab\there", "  10.000", "", 1}});
    const std::string text = renderPageAsText(LabPrintPage(sheet, "F.tfx", "d"));
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    EXPECT_NE(text.find("\\u001b[2Jtio2"), std::string::npos);
    EXPECT_NE(text.find("Tab\\u0009here"), std::string::npos);
}

TEST(LabPrintoutTest, TwoMaterialPageMatchesTheExpectedText)
{
    const std::string expected = readFile(TINTORA_TEST_DATA "/print/two_material_rows.txt");
    EXPECT_EQ(renderPageAsText(LabPrintPage(glossWhiteSheet(), "GLOSSWHT.tfx", "03/14/2024")), expected);
}

// --- the page as text ----------------------------------------------------

struct RenderCase {
    const char* name;
    std::vector<DrawText> page;
    std::string text;
};

TEST(LabPrintoutTest, RenderingWritesEachTextOverWhatWasThere)
{
    const std::vector<RenderCase> cases = {
        {"nothing drawn", {}, ""},
        {"one text at its column", {{0, 3, Regular, "abc"}}, "   abc\n"},
        {"lines before the first text are empty", {{2, 1, Bold, "x"}}, "\n\n x\n"},
        {"texts are placed by line, not by order", {{3, 0, Regular, "c"}, {1, 0, Regular, "a"}}, "\na\n\nc\n"},
        {"a later text covers an earlier one", {{0, 0, Regular, "abcdef"}, {0, 2, Regular, "XY"}}, "abXYef\n"},
        {"blanks cover too", {{0, 0, Regular, "abcdef"}, {0, 2, Regular, "  "}}, "ab  ef\n"},
        {"an earlier text does not cover a later one", {{0, 2, Regular, "XY"}, {0, 0, Regular, "abcdef"}}, "abcdef\n"},
        {"an empty text covers nothing", {{0, 0, Regular, "abc"}, {0, 1, Regular, ""}}, "abc\n"},
        {"an empty text still extends the page", {{0, 0, Regular, "a"}, {2, 5, Regular, ""}}, "a\n\n\n"},
        {"trailing blanks are removed", {{0, 0, Regular, "ab   "}, {1, 0, Regular, "    "}}, "ab\n\n"},
        {"blanking the end of a line shortens it", {{0, 0, Regular, "abcdef"}, {0, 3, Regular, "   "}}, "abc\n"},
        {"inner and leading blanks stay", {{0, 2, Regular, "a  b"}}, "  a  b\n"},
        {"text runs past column 80", {{0, 78, Regular, "abcdef"}}, std::string(78, ' ') + "abcdef\n"},
        {"one column per code point", {{0, 0, Regular, "ééé"}, {0, 1, Regular, "x"}}, "éxé\n"},
        {"multi-byte text placed after multi-byte text", {{0, 0, Regular, "Ω"}, {0, 2, Regular, "€→"}}, "Ω €→\n"},
        {"a gap beyond the line end is filled with blanks", {{0, 0, Regular, "a"}, {0, 4, Regular, "b"}}, "a   b\n"},
        {"a NUL is written as the JSON writes it", {{0, 0, Regular, std::string("ti\0o2", 5)}}, "ti\\u0000o2\n"},
    };
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(renderPageAsText(c.page), c.text);
    }
}

}  // namespace
}  // namespace tintora
