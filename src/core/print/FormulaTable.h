#pragma once
// The formula as a table for a spreadsheet: what Copy Out puts on the
// clipboard and Excel Out writes into a workbook. Numbers stay numbers here;
// each output writes them in its own form.
#include "core/sheet/FormulaSheet.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

struct FormulaTableRow {
    bool note = false;  // a note: the description alone
    std::string code;
    std::string description;
    // Empty cells stay empty: a row without weight has no volume or percent.
    std::optional<double> weight, volume, percent;
    // Of a material row; none for a note or a material not found.
    std::optional<double> spec, costPerPound;
};

struct FormulaTableProperty {
    PropertyBox box;
    const char* name;  // as the window's box is labelled
    const char* unit;  // empty for a plain ratio
    double value;  // as the box shows it
};

struct FormulaTable {
    std::string name;
    const char* percentTitle = "W%";
    std::vector<FormulaTableRow> rows;  // the rows with a code or a note, in formula order
    std::array<FormulaTableProperty, PropertyBoxCount> properties{};
};

FormulaTable formulaTable(const FormulaSheet& sheet);

// Whether a spreadsheet would run this text as a formula: it begins with
// "=", "+", "-" or "@" (a name "=2+3" would show 5).
bool readAsSpreadsheetFormula(std::string_view text);
// The text as a spreadsheet takes it as text: with a leading apostrophe when
// it would run as a formula, as it stands otherwise. For CSV and the
// clipboard's plain text; numbers never go through here.
std::string asSpreadsheetText(std::string_view text);

}  // namespace tintora
