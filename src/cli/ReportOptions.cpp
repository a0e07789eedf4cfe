#include "ReportOptions.h"

#include "OptimiseReport.h"
#include "RecalcReport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>
#include <utility>

namespace tintora::report {

namespace {

bool isOption(std::string_view arg)
{
    return arg.size() > 1 && arg[0] == '-';
}

const char* modeOption(ReportMode mode)
{
    switch (mode) {
    case ReportMode::Printout:
        return "";
    case ReportMode::Csv:
        return "--csv";
    case ReportMode::Compare:
        return "--compare";
    case ReportMode::CheckMaterials:
        return "--check-materials";
    case ReportMode::Pdf:
        return "--pdf";
    case ReportMode::WhereUsed:
        return "--where-used";
    case ReportMode::MakeMaterial:
        return "--make-material";
    case ReportMode::CheckVoc:
        return "--check-voc";
    case ReportMode::CostChange:
        return "--cost-change";
    case ReportMode::UpdateMade:
        return "--update-made";
    }
    return "";
}

bool sameCode(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// One CODE=COST of --cost-change: a cost per pound in numbers with a point,
// finite and not negative; each code once, in any letter case.
std::optional<std::string> readNewCost(std::string_view item, std::vector<std::pair<std::string, double>>& costs)
{
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos)
        return "--cost-change takes CODE=COST separated by commas, not \"" + std::string(item) + "\"";
    const std::string code(item.substr(0, equals));
    const std::string_view text = item.substr(equals + 1);
    if (code.empty())
        return "--cost-change needs a code before the = of \"" + std::string(item) + "\"";
    double cost = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), cost);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(cost))
        return "--cost-change: the cost of " + code + " is not a number: \"" + std::string(text) + "\"";
    if (cost < 0)
        return "--cost-change: the cost of " + code + " cannot be negative: " + std::string(text);
    for (const auto& known : costs)
        if (sameCode(known.first, code))
            return "--cost-change names " + code + " twice";
    costs.emplace_back(code, cost);
    return std::nullopt;
}

std::optional<std::string> readNewCosts(std::string_view list, ReportOptions& options)
{
    for (std::size_t from = 0;;) {
        const std::size_t comma = list.find(',', from);
        if (auto problem = readNewCost(list.substr(from, comma - from), options.newCosts))
            return problem;
        if (comma == std::string_view::npos)
            return std::nullopt;
        from = comma + 1;
    }
}

// "2026-12-07": the form of the date a made material keeps.
bool isIsoDate(const std::string& text)
{
    const auto digits = [&](std::size_t from, std::size_t count) {
        return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
            text.begin() + static_cast<std::ptrdiff_t>(from + count), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digits(0, 4) || !digits(5, 2) || !digits(8, 2))
        return false;
    const int month = std::stoi(text.substr(5, 2));
    const int day = std::stoi(text.substr(8, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// --cost-change and --update-made: a folder at most; --update-made lists as a table only.
std::optional<std::string> priceProblem(const ReportOptions& o)
{
    const std::size_t files = o.formulaPaths.size();
    if (o.json && o.csv)
        return "--csv and --json cannot be combined";
    if (o.mode == ReportMode::UpdateMade && o.json)
        return "--update-made and --json cannot be combined";
    if (files > 1)
        return std::string(modeOption(o.mode)) + " takes one folder, " + std::to_string(files) + " given";
    if (o.mode == ReportMode::UpdateMade && o.date && !isIsoDate(*o.date))
        return "with --update-made the date is yyyy-mm-dd, not " + *o.date;
    return std::nullopt;
}

std::optional<std::string> libraryProblem(const ReportOptions& o)
{
    const std::size_t files = o.formulaPaths.size();
    if (o.mode == ReportMode::CostChange || o.mode == ReportMode::UpdateMade)
        return priceProblem(o);
    if (o.mode == ReportMode::WhereUsed || o.mode == ReportMode::CheckVoc) {
        if (o.json && o.csv)
            return "--csv and --json cannot be combined";
        if (files > 1)
            return std::string(modeOption(o.mode)) + " takes one folder, " + std::to_string(files) + " given";
        return std::nullopt;
    }
    if (o.json)
        return "--make-material and --json cannot be combined";
    if (files != 1)
        return "--make-material needs exactly one formula file, " + std::to_string(files) + " given";
    if (o.date && !isIsoDate(*o.date))
        return "with --make-material the date is yyyy-mm-dd, not " + *o.date;
    return std::nullopt;
}

// What is wrong with a combination of options that each parsed well.
std::optional<std::string> combinationProblem(const ReportOptions& o)
{
    if (auto problem = optimiseProblem(o))
        return problem;
    if (o.plant.active() || o.plant.lot)
        return plantProblem(o);
    const std::size_t files = o.formulaPaths.size();
    switch (o.mode) {
    case ReportMode::Printout:
        if (files == 0)
            return "no formula file given";
        break;
    case ReportMode::Csv:
        if (o.json)
            return "--csv and --json cannot be combined";
        if (files == 0)
            return "no formula file given";
        break;
    case ReportMode::Compare:
        if (files != 2)
            return "--compare needs exactly two formula files, " + std::to_string(files) + " given";
        break;
    case ReportMode::CheckMaterials:
        if (o.json)
            return "--check-materials and --json cannot be combined";
        if (files != 0)
            return "--check-materials takes a folder, not formula files";
        break;
    case ReportMode::Pdf:
        if (o.json)
            return "--pdf and --json cannot be combined";
        if (files != 1)
            return "--pdf needs exactly one formula file, " + std::to_string(files) + " given";
        break;
    case ReportMode::WhereUsed:
    case ReportMode::MakeMaterial:
    case ReportMode::CheckVoc:
    case ReportMode::CostChange:
    case ReportMode::UpdateMade:
        if (auto problem = libraryProblem(o))
            return problem;
        break;
    }
    if (o.pageSize && o.mode != ReportMode::Pdf)
        return "--page-size goes with --pdf";
    if (o.csvLocale && o.mode != ReportMode::Csv)
        return "--locale goes with --csv";
    if (o.dryRun && o.mode != ReportMode::UpdateMade)
        return "--dry-run goes with --update-made";
    if (o.force && o.mode != ReportMode::MakeMaterial && o.mode != ReportMode::Pdf && !o.reformulation.writePath)
        return "--force goes with --write, --make-material, --pdf or --xlsx";
    return reformulationProblem(o);
}

// The modes that list a folder, with --csv as the form of their list.
bool listsFolder(ReportMode mode)
{
    return mode == ReportMode::WhereUsed || mode == ReportMode::CheckVoc || mode == ReportMode::CostChange;
}

// The folder a folder mode names, which the command line gave as its one file.
std::optional<std::string>* namedFolder(ReportOptions& options)
{
    switch (options.mode) {
    case ReportMode::WhereUsed:
        return &options.whereUsedFolder;
    case ReportMode::CheckVoc:
        return &options.vocFolder;
    case ReportMode::CostChange:
    case ReportMode::UpdateMade:
        return &options.priceFolder;
    default:
        return nullptr;
    }
}

// The mode the options choose; two modes are refused, save --csv as the form
// of a folder's list.
struct ModeChoice {
    ReportOptions& options;
    bool given = false;

    std::optional<std::string> set(ReportMode mode)
    {
        if (given && options.mode != mode && (mode == ReportMode::Csv || options.mode == ReportMode::Csv)
            && (listsFolder(mode) || listsFolder(options.mode))) {
            options.mode = listsFolder(mode) ? mode : options.mode;
            return std::nullopt;
        }
        if (given && options.mode != mode)
            return std::string(modeOption(options.mode)) + " and " + modeOption(mode) + " cannot be combined";
        options.mode = mode;
        given = true;
        return std::nullopt;
    }
};

// --where-used CODE, --make-material CODE, --cost-change LIST, --update-made
// and --force (the value is known to be there); false for any other argument.
bool readLibraryOption(const std::vector<std::string>& args, std::size_t& i, ReportOptions& options, ModeChoice& mode,
    std::optional<std::string>& problem)
{
    const std::string& arg = args[i];
    if (arg == "--force") {
        options.force = options.reformulation.force = true;
        return true;
    }
    if (arg == "--update-made") {
        problem = mode.set(ReportMode::UpdateMade);
        return true;
    }
    if (arg == "--cost-change") {
        problem = mode.set(ReportMode::CostChange);
        if (!problem)
            problem = readNewCosts(args[++i], options);
        return true;
    }
    if (arg != "--where-used" && arg != "--make-material")
        return false;
    problem = mode.set(arg == "--where-used" ? ReportMode::WhereUsed : ReportMode::MakeMaterial);
    options.materialCode = args[++i];
    return true;
}

// An option that changes the formula before it is printed, as
// parseReformulationOption and parseOptimiseOption take it.
std::optional<std::string> parseChangeOption(
    const std::vector<std::string>& args, std::size_t& i, ReportOptions& options)
{
    if (auto taken = parseReformulationOption(args, i, options.reformulation))
        return taken;
    return parseOptimiseOption(args, i, options.optimise);
}

// The options that only switch something on, or only keep their value.
constexpr std::array<std::pair<std::string_view, bool ReportOptions::*>, 5> Switches{{
    {"--volume-percent", &ReportOptions::volumePercent},
    {"--json", &ReportOptions::json},
    {"--strict", &ReportOptions::strict},
    {"--locale", &ReportOptions::csvLocale},
    {"--dry-run", &ReportOptions::dryRun},
}};
constexpr std::array<std::pair<std::string_view, std::optional<std::string> ReportOptions::*>, 2> Values{{
    {"--materials", &ReportOptions::materialFolder},
    {"--date", &ReportOptions::date},
}};

// A switch or a plain value at args[i] (the value is known to be there);
// whether it was one.
bool readSimpleOption(const std::vector<std::string>& args, std::size_t& i, ReportOptions& options)
{
    for (const auto& [name, member] : Switches)
        if (args[i] == name) {
            options.*member = true;
            return true;
        }
    for (const auto& [name, member] : Values)
        if (args[i] == name) {
            options.*member = args[++i];
            return true;
        }
    return false;
}

}  // namespace

ParseResult parseReportOptions(const std::vector<std::string>& args)
{
    ReportOptions options;
    ModeChoice mode{options};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--materials" || arg == "--date" || arg == "--pdf" || arg == "--page-size"
            || arg == "--where-used" || arg == "--make-material" || arg == "--cost-change";
        if (takesValue && i + 1 >= args.size())
            return {std::nullopt, "option " + arg + " needs a value"};
        std::optional<std::string> problem;
        if (arg == "--help")
            return {std::nullopt, {}, true};
        if (readSimpleOption(args, i, options) || readLibraryOption(args, i, options, mode, problem)) {
            // read; a problem is told below
        } else if (arg == "--pdf") {
            problem = mode.set(ReportMode::Pdf);
            options.pdfPath = args[++i];
        } else if (arg == "--page-size") {
            const std::string& size = args[++i];
            if (size != "A4" && size != "Letter")
                return {std::nullopt, "the page size is A4 or Letter, not " + size};
            options.pageSize = size == "A4" ? PageSize::A4 : PageSize::Letter;
        } else if (arg == "--csv") {
            options.csv = true;
            problem = mode.set(ReportMode::Csv);
        } else if (arg == "--compare")
            problem = mode.set(ReportMode::Compare);
        else if (arg == "--check-voc")
            problem = mode.set(ReportMode::CheckVoc);
        else if (arg == "--check-materials") {
            problem = mode.set(ReportMode::CheckMaterials);
            // the folder is optional: the next word is it unless it is an option
            if (i + 1 < args.size() && !isOption(args[i + 1]))
                options.checkFolder = args[++i];
        } else if (auto plantTaken = parsePlantOption(args, i, options.plant)) {
            if (!plantTaken->empty())
                return {std::nullopt, *plantTaken};
        } else if (auto taken = parseChangeOption(args, i, options)) {
            if (!taken->empty())
                return {std::nullopt, *taken};
        } else if (arg == "--") {
            options.formulaPaths.insert(options.formulaPaths.end(), args.begin() + i + 1, args.end());
            break;
        } else if (isOption(arg))
            return {std::nullopt, "unknown option " + arg};
        else
            options.formulaPaths.push_back(arg);
        if (problem)
            return {std::nullopt, *problem};
    }
    if (auto problem = combinationProblem(options))
        return {std::nullopt, *problem};
    if (std::optional<std::string>* folder = namedFolder(options); folder && !options.formulaPaths.empty()) {
        *folder = options.formulaPaths.front();
        options.formulaPaths.clear();
    }
    return {options, {}};
}

}  // namespace tintora::report
