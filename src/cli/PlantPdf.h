#pragma once
// Pages drawn into a PDF file by the code the window prints with, on Qt's
// offscreen platform (no display needed).
#include "ReportOptions.h"

#include "core/print/PagedPrintout.h"

#include <functional>
#include <string>
#include <vector>

namespace tintora::report {

using PdfLayout = std::function<std::vector<PrintPage>(int linesPerPage)>;

// False, after a one-line message, when this build writes no PDF files or the file cannot be written.
// Writes the pages into the options' --pdf file on their --page-size paper;
// false after a message when that file may not or cannot be written.
bool writePagesPdf(const ReportOptions& options, const PdfLayout& layout, const std::string& title);

}  // namespace tintora::report
