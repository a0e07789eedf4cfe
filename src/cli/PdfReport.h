#pragma once
// tintora-report --pdf: the laboratory printout as a one-page PDF file, drawn
// by the code the window prints with, on Qt's offscreen platform (no display
// needed).
#include "core/sheet/FormulaSheet.h"

#include <string>

namespace tintora::report {

enum class PageSize { Locale, A4, Letter };

// Writes the file; false, with a one-line message on stderr, when it cannot.
bool writePdfReport(const FormulaSheet& sheet, const std::string& formulaPath, const std::string& date,
                    const std::string& pdfPath, PageSize pageSize);

}  // namespace tintora::report
