#pragma once
// tintora-report --recalc and --scale: one formula changed by the window's own
// target or scale, printed as a formula is printed, and saved with --write.
#include "ReportFormula.h"
#include "ReportOptions.h"

#include "core/calc/Recalculation.h"
#include "core/calc/Scale.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora::report {

// The names of the targets on the command line: weight, cost-vol, solids-wt ...
std::optional<RecalcQuantity> recalcQuantityNamed(std::string_view name);

// What --recalc, --scale, --marks, --write and --force say, checked.
struct Reformulation {
    bool scaling = false;
    RecalcQuantity quantity = RecalcQuantity::Weight;
    ScaleKind scaleKind = ScaleKind::Weight;
    std::string value;  // the value typed on the keypad; empty for --scale percent
    std::optional<std::vector<int>> markedRows;  // nullopt: the marks the file has
};

// The request, or the one-line problem with the options.
struct ReformulationParse {
    std::optional<Reformulation> request;
    std::string problem;
};
ReformulationParse parseReformulation(const ReformulationOptions& options);

// What is wrong with these options together with the others; nullopt when fine.
std::optional<std::string> reformulationProblem(const ReportOptions& options);

// Loads the one formula, applies the target or the scale and prints the
// result (text or JSON); with --write saves it. Exit status: 0 done, 1 refused
// (the window's message on stderr) or not readable or not written.
int reformulationReport(const ReportOptions& options, const std::filesystem::path& materialFolder);

// The one formula a changing mode (--recalc, --scale, --optimise) works on,
// loaded; nullopt, with the problem on stderr, when --write may not replace
// its file, the formula cannot be read, or writing would lose weights that
// did not read (without --force).
std::optional<LoadedFormula> loadFormulaToChange(const ReportOptions& options, const MaterialFiles& materials);

}  // namespace tintora::report
