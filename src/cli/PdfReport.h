#pragma once
// tintora-report --pdf: the laboratory printout as a one-page PDF file, drawn
// by the code the window prints with, on Qt's offscreen platform (no display
// needed).
#include "ReportOptions.h"

#include <filesystem>

namespace tintora::report {

// Returns the exit status: 1, after a one-line message, when the formula
// cannot be read or the file cannot be written.
int pdfReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

}  // namespace tintora::report
