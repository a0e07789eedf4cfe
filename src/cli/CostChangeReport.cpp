#include "CsvField.h"
#include "PriceReports.h"
#include "PropertyKeys.h"
#include "ReportFormula.h"
#include "TextTable.h"

#include "core/materials/PriceChanges.h"
#include "core/text/NumberText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <iostream>
#include <vector>

namespace tintora::report {

namespace {

// The change in percent of the cost per gallon now; none for a formula that
// costs nothing now or cannot be read.
std::optional<double> changePercent(const CostChange& change)
{
    if (!change.problem.empty() || change.perGallonNow == 0)
        return std::nullopt;
    return change.changePerGallon() / change.perGallonNow * 100;
}

// A figure of a readable formula; none for one that cannot be read.
std::optional<double> figure(const CostChange& change, double value)
{
    return change.problem.empty() ? std::optional<double>(value) : std::nullopt;
}

std::string shown(std::optional<double> value)
{
    return value ? formatThreeDecimals(*value) : std::string();
}

// The figures of one formula in the order of every form's columns.
std::vector<std::optional<double>> figuresOf(const CostChange& c)
{
    return {figure(c, c.perPoundNow), figure(c, c.perPoundNew), figure(c, c.perGallonNow), figure(c, c.perGallonNew),
        figure(c, c.changePerGallon()), changePercent(c)};
}

std::string fileOf(const CostChange& change)
{
    return shownFileName(change.file.native());
}

std::string codeList(const std::vector<std::pair<std::string, double>>& costs)
{
    std::string list;
    for (const auto& [code, cost] : costs)
        list += (list.empty() ? "" : ", ") + code;
    return list;
}

void writeTable(std::ostream& out, const ReportOptions& options, const CostChangeAnswer& answer)
{
    if (answer.formulas.empty()) {
        out << "No formula uses " << codeList(options.newCosts) << ".\n";
        return;
    }
    const bool anyProblem
        = std::ranges::any_of(answer.formulas, [](const CostChange& c) { return !c.problem.empty(); });
    std::vector<TextColumn> columns{{"file", Align::Left}, {"name", Align::Left}, {"cost/lb now", Align::Right},
        {"cost/lb new", Align::Right}, {"cost/gal now", Align::Right}, {"cost/gal new", Align::Right},
        {"change/gal", Align::Right}, {"change %", Align::Right}};
    if (anyProblem)
        columns.push_back({"problem", Align::Left});
    TextTable table(std::move(columns));
    for (const CostChange& change : answer.formulas) {
        std::vector<std::string> cells{fileOf(change), change.name};
        for (const std::optional<double>& value : figuresOf(change))
            cells.push_back(shown(value));
        if (anyProblem)
            cells.push_back(change.problem);
        table.add(std::move(cells));
    }
    out << table.render();
}

// The names of the figures in JSON and CSV, the costs as the properties name them.
constexpr std::array<const char*, 6> FigureKeys{
    "cost_per_lb_now", "cost_per_lb_new", "cost_per_gal_now", "cost_per_gal_new", "change_per_gal", "change_pct"};

nlohmann::ordered_json textOrNull(const std::string& text)
{
    return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

void writeJson(std::ostream& out, const CostChangeAnswer& answer)
{
    nlohmann::ordered_json formulas = nlohmann::ordered_json::array();
    for (const CostChange& change : answer.formulas) {
        nlohmann::ordered_json entry
            = {{"file", fileOf(change)}, {"name", textOrNull(change.problem.empty() ? change.name : std::string())}};
        const std::vector<std::optional<double>> figures = figuresOf(change);
        for (std::size_t i = 0; i < FigureKeys.size(); ++i)
            entry[FigureKeys[i]] = jsonNumber(figures[i]);
        entry["problem"] = textOrNull(change.problem);
        formulas.push_back(std::move(entry));
    }
    const nlohmann::ordered_json report
        = {{"formulas", formulas}, {"unused_codes", nlohmann::ordered_json(answer.unusedCodes)},
            {"problems", nlohmann::ordered_json(answer.problems)}};
    out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void writeCsv(std::ostream& out, const CostChangeAnswer& answer)
{
    constexpr const char* LineEnd = "\r\n";
    out << "file,name";
    for (const char* key : FigureKeys)
        out << ',' << key;
    out << ",problem" << LineEnd;
    for (const CostChange& change : answer.formulas) {
        out << csvField(fileOf(change)) << ',' << csvField(change.name);
        for (const std::optional<double>& value : figuresOf(change))
            out << ',' << shown(value);
        out << ',' << csvField(change.problem) << LineEnd;
    }
}

}  // namespace

int costChangeReport(const ReportOptions& options)
{
    const std::optional<PriceFolders> folders = priceFolders(options);
    if (!folders)
        return 2;
    std::vector<NewCost> costs;
    for (const auto& [code, cost] : options.newCosts)
        costs.push_back({code, cost});
    const Result<CostChangeAnswer> result = costChangeIn(folders->formulas, folders->materials, costs);
    if (!result.ok()) {
        // Nothing was worked out: the prices asked for are not those of this folder.
        reportProblem("--cost-change: " + result.problem());
        return 2;
    }
    const CostChangeAnswer& answer = result.value();
    for (const std::string& code : answer.unusedCodes)
        reportWarning("no formula uses " + code);
    for (const std::string& problem : answer.problems)
        reportProblem(problem);
    if (options.json)
        writeJson(std::cout, answer);
    else if (options.csv)
        writeCsv(std::cout, answer);
    else
        writeTable(std::cout, options, answer);
    const bool unreadable
        = std::ranges::any_of(answer.formulas, [](const CostChange& c) { return !c.problem.empty(); });
    return unreadable || !answer.problems.empty() ? 1 : 0;
}

}  // namespace tintora::report
