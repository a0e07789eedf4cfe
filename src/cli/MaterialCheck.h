#pragma once
#include <filesystem>

namespace tintora::report {

// One line per fault of the material files in folder: the file and what is
// wrong. Returns the exit status: 0 when all is well, 1 when something was
// reported.
int materialCheckReport(const std::filesystem::path& folder);

}  // namespace tintora::report
