#pragma once
// Command line of tintora-report.
#include "PdfReport.h"

#include <optional>
#include <string>
#include <vector>

namespace tintora::report {

struct ReportOptions {
    std::optional<std::string> materialFolder;  // default: Formulas beside the program
    std::optional<std::string> date;  // default: today, system short date
    bool volumePercent = false;
    bool json = false;
    std::optional<std::string> pdfPath;  // --pdf: the printout into this PDF file
    PageSize pageSize = PageSize::Locale;
    std::string formulaPath;
};

struct ParseResult {
    std::optional<ReportOptions> options;
    std::string error;  // one line, set when options is empty
};

ParseResult parseReportOptions(const std::vector<std::string>& args);

constexpr const char* Usage
    = "usage: tintora-report [--materials DIR] [--date TEXT] [--volume-percent] [--json | --pdf OUT.pdf "
      "[--page-size A4|Letter]] FORMULA.tfx";

}  // namespace tintora::report
