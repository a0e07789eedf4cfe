#pragma once
#include "ReportOptions.h"

#include <filesystem>

namespace tintora::report {

// The laboratory printout of each formula, separated by a form feed; with
// --json the sheet of each (one object per line when there are several).
// Returns the exit status: 1 when a file was not reported.
int printoutReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

}  // namespace tintora::report
