#pragma once
// tintora-report --batch, --materials-list and --xlsx.
#include "ReportOptions.h"

#include <filesystem>

namespace tintora::report {

// Returns the exit status: 1 after a one-line message when a formula cannot
// be read, a batch is refused or a file cannot be written; 2 for a folder
// that is not one.
int plantReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

}  // namespace tintora::report
