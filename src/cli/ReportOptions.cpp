#include "ReportOptions.h"

#include "RecalcReport.h"

#include <string_view>

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
    }
    return "";
}

// What is wrong with a combination of options that each parsed well.
std::optional<std::string> combinationProblem(const ReportOptions& o)
{
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
    }
    if (o.pageSize && o.mode != ReportMode::Pdf)
        return "--page-size goes with --pdf";
    return reformulationProblem(o);
}

}  // namespace

ParseResult parseReportOptions(const std::vector<std::string>& args)
{
    ReportOptions options;
    bool modeGiven = false;
    auto setMode = [&](ReportMode mode) -> std::optional<std::string> {
        if (modeGiven && options.mode != mode)
            return std::string(modeOption(options.mode)) + " and " + modeOption(mode) + " cannot be combined";
        options.mode = mode;
        modeGiven = true;
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--materials" || arg == "--date" || arg == "--pdf" || arg == "--page-size";
        if (takesValue && i + 1 >= args.size())
            return {std::nullopt, "option " + arg + " needs a value"};
        std::optional<std::string> problem;
        if (arg == "--help")
            return {std::nullopt, {}, true};
        if (arg == "--materials")
            options.materialFolder = args[++i];
        else if (arg == "--date")
            options.date = args[++i];
        else if (arg == "--pdf") {
            problem = setMode(ReportMode::Pdf);
            options.pdfPath = args[++i];
        } else if (arg == "--page-size") {
            const std::string& size = args[++i];
            if (size != "A4" && size != "Letter")
                return {std::nullopt, "the page size is A4 or Letter, not " + size};
            options.pageSize = size == "A4" ? PageSize::A4 : PageSize::Letter;
        } else if (arg == "--volume-percent")
            options.volumePercent = true;
        else if (arg == "--json")
            options.json = true;
        else if (arg == "--csv")
            problem = setMode(ReportMode::Csv);
        else if (arg == "--compare")
            problem = setMode(ReportMode::Compare);
        else if (arg == "--check-materials") {
            problem = setMode(ReportMode::CheckMaterials);
            // the folder is optional: the next word is it unless it is an option
            if (i + 1 < args.size() && !isOption(args[i + 1]))
                options.checkFolder = args[++i];
        } else if (auto plantTaken = parsePlantOption(args, i, options.plant)) {
            if (!plantTaken->empty())
                return {std::nullopt, *plantTaken};
        } else if (auto taken = parseReformulationOption(args, i, options.reformulation)) {
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
    return {options, {}};
}

}  // namespace tintora::report
