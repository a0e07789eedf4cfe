#pragma once
#include "ReportOptions.h"

#include <filesystem>

namespace tintora::report {

// A header line, then per formula its file, name, the sixteen properties, the
// pigment volume concentration and the count of rows whose material is missing,
// under the names of PropertyKeys.h (RFC 4180, CR LF).
// Each formula is loaded, written and let go, so memory does not grow with
// their number. Returns the exit status: 1 when a file was not reported.
int csvReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

}  // namespace tintora::report
