#pragma once
#include "ReportOptions.h"

#include <filesystem>

namespace tintora::report {

// The formulas of folder that use the material options.materialCode (by code,
// without regard to case): a table, JSON (--json) or CSV (--csv). A file that
// is no formula or cannot be read is told on stderr. Returns the exit status:
// 0, 1 when a file could not be read, 2 when folder is not a folder.
int whereUsedReport(const ReportOptions& options, const std::filesystem::path& folder);

}  // namespace tintora::report
