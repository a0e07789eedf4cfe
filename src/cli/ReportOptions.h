#pragma once
// Command line of tintora-report.
#include <optional>
#include <string>
#include <vector>

namespace tintora::report {

struct ReportOptions {
    std::optional<std::string> materialFolder;  // default: Formulas beside the program
    std::optional<std::string> date;  // default: today, system short date
    bool volumePercent = false;
    bool json = false;
    std::string formulaPath;
};

struct ParseResult {
    std::optional<ReportOptions> options;
    std::string error;  // one line, set when options is empty
};

ParseResult parseReportOptions(const std::vector<std::string>& args);

constexpr const char* Usage
    = "usage: tintora-report [--materials DIR] [--date TEXT] [--volume-percent] [--json] FORMULA.tfx";

}  // namespace tintora::report
