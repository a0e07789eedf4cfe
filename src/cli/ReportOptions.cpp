#include "ReportOptions.h"

namespace tintora::report {

ParseResult parseReportOptions(const std::vector<std::string>& args)
{
    ReportOptions options;
    bool haveFormula = false;
    bool pageSizeGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--materials" || arg == "--date" || arg == "--pdf" || arg == "--page-size";
        if (takesValue && i + 1 >= args.size())
            return {std::nullopt, "option " + arg + " needs a value"};
        if (arg == "--materials")
            options.materialFolder = args[++i];
        else if (arg == "--date")
            options.date = args[++i];
        else if (arg == "--pdf")
            options.pdfPath = args[++i];
        else if (arg == "--page-size") {
            const std::string& size = args[++i];
            if (size != "A4" && size != "Letter")
                return {std::nullopt, "the page size is A4 or Letter, not " + size};
            options.pageSize = size == "A4" ? PageSize::A4 : PageSize::Letter;
            pageSizeGiven = true;
        } else if (arg == "--volume-percent")
            options.volumePercent = true;
        else if (arg == "--json")
            options.json = true;
        else if (arg.size() > 1 && arg[0] == '-' && arg != "--")
            return {std::nullopt, "unknown option " + arg};
        else if (haveFormula)
            return {std::nullopt, "only one formula file may be given"};
        else {
            options.formulaPath = arg == "--" && i + 1 < args.size() ? args[++i] : arg;
            haveFormula = true;
        }
    }
    if (!haveFormula)
        return {std::nullopt, "no formula file given"};
    if (options.pdfPath && options.json)
        return {std::nullopt, "--pdf and --json cannot be given together"};
    if (pageSizeGiven && !options.pdfPath)
        return {std::nullopt, "--page-size goes with --pdf"};
    return {options, {}};
}

}  // namespace tintora::report
