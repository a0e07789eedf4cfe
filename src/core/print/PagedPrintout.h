#pragma once
// Printouts longer than a page: blocks of text lines laid under a heading that
// every page repeats, in the laboratory printout's 80 columns. The page height
// is the printer's (the window) or a fixed count of lines (text output).
#include "core/print/LabPrintout.h"

#include <functional>
#include <string>
#include <vector>

namespace tintora {

using PrintPage = std::vector<DrawText>;

// One printed line: texts whose line is 0, placed at the line the page gives it.
using PrintLine = std::vector<DrawText>;

// Lines that stay on one page when they fit on one: a row of a table, or a
// block such as the signatures that must not be torn apart.
struct PrintBlock {
    std::vector<PrintLine> lines;
};

// Lines on a page of the text output: a printer page of 66 lines less its margins.
constexpr int TextPageLines = 60;

// The heading of page `pageNumber` (1, 2, ...), on lines 0 ... headingLines - 1.
using PageHeading = std::function<PrintPage(int pageNumber)>;

// The blocks in order under the heading of each page; a block that does not
// fit below the last one starts a new page, and a block longer than a page is
// split. At least one page, even without blocks. A page shorter than its
// heading still takes one line of blocks, so that the printout always ends.
std::vector<PrintPage> paginate(
    const PageHeading& heading, int headingLines, const std::vector<PrintBlock>& blocks, int linesPerPage);

// "PAGE:" and the page number right-aligned in four characters ("PAGE:   1").
std::string pageNumberText(int pageNumber);

// Each page as renderPageAsText writes it, the pages separated by a form feed.
std::string renderPagesAsText(const std::vector<PrintPage>& pages);

// Cuts text to `width` characters (code points): longer text keeps its first
// width - 3 characters followed by "...".
std::string shortenedText(std::string_view text, std::size_t width);

}  // namespace tintora
