#pragma once
#include "ReportOptions.h"

#include "core/text/CalendarDate.h"

#include <filesystem>

namespace tintora::report {

// The day a material is made: --date yyyy-mm-dd (checked with the options),
// else today by the system's clock.
CalendarDate madeDate(const ReportOptions& options);

// Writes the one formula of options as the material options.materialCode into
// materialFolder, as Create Material does; an existing file only with --force.
// Prints the file written. Returns the exit status: 0, or 1 after a one-line
// message when the formula cannot be read or made a material, the file exists
// or cannot be written.
int makeMaterialReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

}  // namespace tintora::report
