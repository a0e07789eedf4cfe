#pragma once
// Where a report may write its file: nothing is replaced that the user did
// not name for replacing.
#include <optional>
#include <string>

namespace tintora::report {

// A path that cannot be looked at counts as taken: nothing is written there.
bool pathTaken(const std::string& path);

// Why --write may not put the changed formula at out: an existing file
// without --force, and never a protected formula.
std::optional<std::string> formulaOutputRefusal(const std::string& out, bool force);

// Why --pdf or --xlsx may not write out: an existing file without --force,
// and, with or without it, a name of a formula or material file (a typo such
// as "--xlsx *.tfx" would turn the first formula into a workbook).
std::optional<std::string> documentOutputRefusal(const std::string& out, bool force);

}  // namespace tintora::report
