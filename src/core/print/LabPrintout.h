#pragma once
// The laboratory printout as data: the texts of the one page, each at a text
// line and an 80-column text column, in drawing order. Printers, PDF files and
// the text rendering all draw this same list.
#include "core/sheet/FormulaSheet.h"

#include <string>
#include <string_view>
#include <vector>

namespace tintora {

enum class TextStyle { Regular, Bold, BoldUnderline };

struct DrawText {
    int line = 0;
    int column = 0;
    TextStyle style = TextStyle::Regular;
    std::string text;  // UTF-8
    bool operator==(const DrawText&) const = default;
};

constexpr int PrintoutColumns = 80;

// The page for the sheet as Calculate last left it (cells, row costs and box
// values); formulaFileName is the file name alone, dateText the date as shown.
std::vector<DrawText> LabPrintPage(
    const FormulaSheet& sheet, std::string_view formulaFileName, std::string_view dateText);

// The page as plain text: each text written at its line and column, one
// character per column, covering what was there; lines 0 ... last drawn line,
// trailing blanks removed, each line ending in "\n".
std::string renderPageAsText(const std::vector<DrawText>& page);

// The title a printout's PDF carries: the formula's name (its file's name
// when it has none), after the kind of printout when one is given:
// "Batch ticket – Exterior acrylic latex primer, white".
std::string printoutTitle(std::string_view kind, const FormulaSheet& sheet, std::string_view fileName);

}  // namespace tintora
