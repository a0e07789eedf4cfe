#include "WhereUsedReport.h"

#include "CsvField.h"
#include "ReportFormula.h"
#include "TextTable.h"

#include "core/formulas/WhereUsed.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <system_error>
#include <vector>

namespace tintora::report {

namespace {

struct Found {
    std::vector<WhereUsedHit> hits;
    std::vector<std::string> unreadable;  // file names as shown
};

Found search(const std::filesystem::path& folder, const std::string& code)
{
    Found found;
    WhereUsedSink sink;
    sink.found = [&](const WhereUsedHit& hit) { found.hits.push_back(hit); };
    sink.unreadable = [&](const std::filesystem::path& file, FormulaFileState state) {
        reportProblem(formulaFileProblem(state, decodeFileText(file.native())));
        found.unreadable.push_back(shownFileName(file.native()));
    };
    // By code only: the folder's materials are not read.
    findWhereUsed(folder, folder, {code, WhereUsedMatch::Code}, sink);
    return found;
}

void writeTable(std::ostream& out, const std::string& code, const Found& found)
{
    if (found.hits.empty()) {
        out << "No formula uses " << code << ".\n";
        return;
    }
    TextTable table({{"file", Align::Left}, {"name", Align::Left}, {"row", Align::Right}, {"code", Align::Left},
        {"weight", Align::Right}, {"W%", Align::Right}});
    for (const WhereUsedHit& hit : found.hits)
        table.add({shownFileName(hit.file.native()), hit.formulaName, std::to_string(hit.row), hit.code,
            formatThreeDecimals(hit.weight), formatThreeDecimals(hit.percentByWeight)});
    out << table.render();
}

void writeJson(std::ostream& out, const std::string& code, const Found& found)
{
    nlohmann::ordered_json uses = nlohmann::ordered_json::array();
    for (const WhereUsedHit& hit : found.hits)
        uses.push_back({{"file", shownFileName(hit.file.native())}, {"name", hit.formulaName}, {"row", hit.row},
            {"code", hit.code}, {"weight", hit.weight}, {"percent", hit.percentByWeight}});
    const nlohmann::ordered_json report
        = {{"code", code}, {"uses", uses}, {"unreadable", nlohmann::ordered_json(found.unreadable)}};
    out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void writeCsv(std::ostream& out, const Found& found)
{
    constexpr const char* LineEnd = "\r\n";
    out << "file,name,row,code,weight,percent" << LineEnd;
    for (const WhereUsedHit& hit : found.hits)
        out << csvField(shownFileName(hit.file.native())) << ',' << csvField(hit.formulaName) << ',' << hit.row << ','
            << csvField(hit.code) << ',' << formatThreeDecimals(hit.weight) << ','
            << formatThreeDecimals(hit.percentByWeight) << LineEnd;
}

}  // namespace

int whereUsedReport(const ReportOptions& options, const std::filesystem::path& folder)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        reportProblem("the formula folder is not a folder: " + folder.string());
        return 2;
    }
    const Found found = search(folder, options.materialCode);
    if (options.json)
        writeJson(std::cout, options.materialCode, found);
    else if (options.csv)
        writeCsv(std::cout, found);
    else
        writeTable(std::cout, options.materialCode, found);
    return found.unreadable.empty() ? 0 : 1;
}

}  // namespace tintora::report
