#include "OptimiseReport.h"

#include "OutputFile.h"
#include "PrintoutReport.h"
#include "PropertyKeys.h"
#include "RecalcReport.h"
#include "ReportFormula.h"

#include "core/calc/Optimisation.h"
#include "core/formulas/FormulaWrite.h"
#include "core/formulas/OptimiseSection.h"
#include "core/solver/ClpSolver.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>

namespace fs = std::filesystem;

namespace tintora::report {

namespace {

// The settings the run uses. A formula file keeps no marks, but it may keep
// its last optimisation in its [Optimise] section: that is the starting
// point, so that a formula is optimised again after a price change as it was
// before; each option given replaces its part.
OptimiseSettings settingsFor(const OptimiseOptions& o, const std::string& path, const FormulaSheet& sheet)
{
    const IniFile file = IniFile::read(path, MaxIniFileBytes, {OptimiseSection});
    OptimiseSettings settings = readOptimiseSection(file).value_or(defaultOptimiseSettings(sheet));
    if (o.varyAll) {
        settings.varied.clear();
        for (int n = 1; n <= SheetRowCount; ++n)
            if (sheet.isMaterialRow(n))
                settings.varied.push_back({n});
    } else if (o.varied)
        settings.varied = *o.varied;
    if (o.kept) {
        settings.kept = *o.kept;
        settings.keptValue = o.keptValue;
    }
    if (!o.limits.empty())
        settings.limits = o.limits;
    if (o.objective)
        settings.objective = *o.objective;
    return settings;
}

std::size_t costFigure(const OptimiseSettings& settings)
{
    return static_cast<std::size_t>(
        settings.objective == CostObjective::PerPound ? CostPerPoundFigure : CostPerGallonFigure);
}

// "cost per gallon 7.979 → 7.512 (−5.9 %)": the change, not the saving, so
// that a rise reads as one.
std::string costLine(const OptimiseSettings& settings, const OptimisedFormula& result)
{
    const std::size_t cost = costFigure(settings);
    const double change = -result.savingPercent;
    const std::string percent = formatFixed(std::abs(change), 1);
    const char* sign = percent == "0.0" ? "" : change < 0 ? "\u2212" : "+";
    std::string line = settings.objective == CostObjective::PerPound ? "cost per pound " : "cost per gallon ";
    line.append(formatFixed(result.before[cost].value_or(0), 3))
        .append(" \u2192 ")
        .append(formatFixed(result.after[cost].value_or(0), 3))
        .append(" (")
        .append(sign)
        .append(percent)
        .append(" %)");
    return line;
}

nlohmann::ordered_json optimiseJson(const OptimiseSettings& settings, const OptimisedFormula& result)
{
    nlohmann::ordered_json limits = nlohmann::ordered_json::array();
    for (const FigureLimit& limit : settings.limits) {
        nlohmann::ordered_json item = nlohmann::ordered_json::object();
        item["name"] = figureKey(limit.figure);
        item["min"] = jsonNumber(limit.minimum);
        item["max"] = jsonNumber(limit.maximum);
        item["value"] = jsonNumber(result.after[static_cast<std::size_t>(limit.figure)]);
        limits.push_back(item);
    }
    const std::size_t cost = costFigure(settings);
    nlohmann::ordered_json optimised = nlohmann::ordered_json::object();
    optimised["objective"] = settings.objective == CostObjective::PerPound ? "cost_per_lb" : "cost_per_gal";
    optimised["before"] = jsonNumber(result.before[cost]);
    optimised["after"] = jsonNumber(result.after[cost]);
    optimised["saving_pct"] = jsonNumber(result.savingPercent);
    optimised["limits"] = limits;
    nlohmann::ordered_json members = nlohmann::ordered_json::object();
    members["optimise"] = optimised;
    return members;
}

// The optimised formula saved with the settings that made it; false after
// telling why it was not.
bool saveOptimised(
    const OptimisedFormula& result, const OptimiseSettings& settings, const std::string& out, const std::string& source)
{
    const Result<FileStamp> written
        = FormulaSave(result.formula, out, fs::path(source), optimiseSectionChanges(settings));
    if (!written)
        reportProblem(written.problem());
    return static_cast<bool>(written);
}

}  // namespace

std::optional<std::string> optimiseProblem(const ReportOptions& options)
{
    const OptimiseOptions& o = options.optimise;
    if (!o.active) {
        if (o.varied || o.varyAll)
            return "--vary goes with --optimise";
        if (!o.limits.empty())
            return "--limit goes with --optimise";
        if (o.kept)
            return "--keep goes with --optimise";
        return o.objective ? std::optional<std::string>("--minimise goes with --optimise") : std::nullopt;
    }
    if (options.plant.active() || options.plant.lot)
        return "--optimise cannot be combined with --batch, --lot, --materials-list or --xlsx";
    if (options.reformulation.active())
        return std::string(options.reformulation.recalc ? "--recalc" : "--scale")
            + " and --optimise cannot be combined";
    if (options.mode != ReportMode::Printout)
        return "--optimise cannot be combined with --csv, --compare, --check-materials, --pdf, --where-used or "
               "--make-material";
    if (options.formulaPaths.size() != 1)
        return "--optimise needs exactly one formula file, " + std::to_string(options.formulaPaths.size()) + " given";
    return std::nullopt;
}

int optimiseReport(const ReportOptions& options, const fs::path& materialFolder)
{
    const std::string& path = options.formulaPaths.front();
    const std::optional<std::string>& out = options.reformulation.writePath;
    const MaterialFiles materials(materialFolder);
    std::optional<LoadedFormula> loaded = loadFormulaToChange(options, materials);
    if (!loaded)
        return 1;
    const OptimiseSettings settings = settingsFor(options.optimise, path, loaded->sheet);
    if (settings.varied.empty()) {
        reportProblem("no row is set to vary: a formula file keeps no marks; give --vary ROWS or --vary all");
        return 1;
    }
    const Result<OptimisedFormula> result = optimise(loaded->sheet, settings, solveLinearProgram);
    if (!result) {
        reportProblem(result.problem());
        return 1;
    }
    // A limit missed once the weights are rounded is said, and such a formula is not saved.
    for (const std::string& missed : result.value().missedAfterRounding)
        reportProblem(missed);
    const bool met = result.value().missedAfterRounding.empty();
    if (met && out && !saveOptimised(result.value(), settings, *out, path))
        return 1;
    loaded->sheet = result.value().formula;
    if (options.json)
        printFormula(options, *loaded, path, optimiseJson(settings, result.value()));
    else {
        printFormula(options, *loaded, path);
        std::cout << costLine(settings, result.value()) << "\n";
    }
    return met ? 0 : 1;
}

}  // namespace tintora::report
