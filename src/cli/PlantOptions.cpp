#include "PlantOptions.h"

#include "ReportOptions.h"

#include "core/print/BatchTicket.h"

namespace tintora::report {

std::optional<std::string> parsePlantOption(const std::vector<std::string>& args, std::size_t& i, PlantOptions& options)
{
    const std::string& arg = args[i];
    const bool takesValue = arg == "--batch" || arg == "--lot" || arg == "--xlsx";
    if (takesValue && i + 1 >= args.size())
        return "option " + arg + " needs a value";
    if (arg == "--batch") {
        options.batch = args[++i];
        if (!parseBatchSize(*options.batch))
            return "the batch size is a number and lb or gal (500lb, 55gal), not " + *options.batch;
    } else if (arg == "--lot")
        options.lot = args[++i];
    else if (arg == "--xlsx")
        options.xlsxPath = args[++i];
    else if (arg == "--materials-list") {
        options.materialsList = true;
        // the folder is optional: the next word is it unless it is an option
        if (i + 1 < args.size() && !(args[i + 1].size() > 1 && args[i + 1][0] == '-'))
            options.materialsListFolder = args[++i];
    } else
        return std::nullopt;
    return std::string();
}

namespace {

std::optional<std::string> batchProblem(const ReportOptions& o)
{
    if (o.mode != ReportMode::Printout && o.mode != ReportMode::Pdf)
        return std::string("--batch prints as text or with --pdf, nothing else");
    if (o.formulaPaths.size() != 1)
        return "--batch needs exactly one formula file, " + std::to_string(o.formulaPaths.size()) + " given";
    return std::nullopt;
}

std::optional<std::string> materialsListProblem(const ReportOptions& o)
{
    if (o.mode != ReportMode::Printout && o.mode != ReportMode::Csv && o.mode != ReportMode::Pdf)
        return std::string("--materials-list prints as text, with --csv or with --pdf, nothing else");
    if (!o.formulaPaths.empty())
        return std::string("--materials-list takes a folder, not formula files");
    return std::nullopt;
}

std::optional<std::string> xlsxProblem(const ReportOptions& o)
{
    if (o.mode != ReportMode::Printout)
        return std::string("--xlsx cannot be combined with another mode");
    if (o.formulaPaths.empty())
        return std::string("no formula file given");
    return std::nullopt;
}

}  // namespace

std::optional<std::string> plantProblem(const ReportOptions& o)
{
    const PlantOptions& p = o.plant;
    if (p.lot && !p.batch)
        return std::string("--lot goes with --batch");
    if (!p.active())
        return std::nullopt;
    if (int(bool(p.batch)) + int(p.materialsList) + int(bool(p.xlsxPath)) > 1)
        return std::string("--batch, --materials-list and --xlsx cannot be combined");
    if (o.json)
        return std::string("--json cannot be combined with --batch, --materials-list or --xlsx");
    if (o.reformulation.active() || o.reformulation.marks || o.reformulation.writePath)
        return std::string(
            "--recalc, --scale, --marks and --write cannot be combined with --batch, --materials-list or --xlsx");
    if (o.pageSize && o.mode != ReportMode::Pdf)
        return std::string("--page-size goes with --pdf");
    if (p.batch)
        return batchProblem(o);
    if (p.materialsList)
        return materialsListProblem(o);
    return xlsxProblem(o);
}

}  // namespace tintora::report
