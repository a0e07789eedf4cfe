#pragma once
// tintora-report --optimise: the least-cost weights of one formula's varied
// rows under limits on its figures, printed as a formula is printed with the
// cost before and after, and saved with --write.
#include "ReportOptions.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tintora::report {

// What is wrong with the optimisation's options together with the others;
// nullopt when fine (or when none of them is given).
std::optional<std::string> optimiseProblem(const ReportOptions& options);

// Loads the one formula, optimises it and prints the result (text and the
// cost line, or JSON); with --write saves it with the settings used in its
// [Optimise] section. Exit status: 0 done; 1 when no formula meets the
// limits, when the rounded weights miss one (the formula is printed, not
// saved), or when the file is not readable or not written.
int optimiseReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

}  // namespace tintora::report
