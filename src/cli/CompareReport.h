#pragma once
#include "ReportOptions.h"

#include <filesystem>

namespace tintora::report {

// Two formulas side by side: their material rows matched by code, then every
// property and the PVC, in A, in B and the change; as aligned text or, with
// --json, one JSON object. Returns the exit status: 1 when a file was not
// reported.
int compareReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

}  // namespace tintora::report
