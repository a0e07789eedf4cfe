#pragma once
#include "ReportFormula.h"
#include "ReportOptions.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace tintora::report {

// The laboratory printout of each formula, separated by a form feed; with
// --json the sheet of each (one object per line when there are several).
// Returns the exit status: 1 when a file was not reported.
int printoutReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

// One formula as the printout mode prints it alone: its printout as text, or
// with --json its sheet, indented, followed by the members of moreMembers
// (what a mode adds about the change it made).
void printFormula(const ReportOptions& options, const LoadedFormula& formula, const std::string& path,
    const nlohmann::ordered_json& moreMembers = nlohmann::ordered_json::object());

}  // namespace tintora::report
