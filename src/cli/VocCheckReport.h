#pragma once
#include "ReportOptions.h"

#include <filesystem>

namespace tintora::report {

// Every formula (*.tfx) of options.vocFolder (default: the Formulas folder),
// in file-name order, against the VOC limit of the category it chose in that
// folder's voc-limits.ini: a table, CSV (--csv) or JSON (--json). The
// table's problems are told on stderr once. Returns the exit status: 1 when a
// formula is over its limit or cannot be read (with --strict also when one
// has no category or an unknown VOC), 2 when the folder is not a folder.
int vocCheckReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

}  // namespace tintora::report
