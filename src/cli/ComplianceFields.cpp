#include "ComplianceFields.h"

#include <map>

namespace fs = std::filesystem;

namespace tintora::report {

const VocLimitsTable& vocLimitsOfFolder(const fs::path& folder)
{
    static std::map<fs::path, VocLimitsTable> read;
    std::error_code ec;
    fs::path key = fs::weakly_canonical(folder, ec);
    if (ec)
        key = folder.lexically_normal();
    const auto found = read.find(key);
    if (found != read.end())
        return found->second;
    return read.emplace(key, readVocLimits(key / VocLimitsFileName)).first->second;
}

fs::path folderOfFormula(const std::string& path)
{
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

const VocCategory* categoryOf(const FormulaSheet& sheet, const VocLimitsTable& table)
{
    return sheet.compliance.category.empty() ? nullptr : table.find(sheet.compliance.category);
}

VocVerdict verdictInOwnFolder(const FormulaSheet& sheet, const std::string& formulaPath)
{
    const VocLimitsTable& table = vocLimitsOfFolder(folderOfFormula(formulaPath));
    return vocVerdict(sheet, categoryOf(sheet, table), productTypeOfKey(sheet.compliance.type));
}

ComplianceFields complianceFields(const FormulaSheet& sheet, const std::string& formulaPath)
{
    ComplianceFields fields;
    fields.euVoc = euVocContent(sheet);
    const FilmBuild film = filmBuild(sheet);
    fields.cpvc = film.cpvc;
    fields.lambda = film.lambda;
    if (sheet.compliance.category.empty())
        return fields;
    fields.category = sheet.compliance.category;
    const VocVerdict verdict = verdictInOwnFolder(sheet, formulaPath);
    fields.limit = verdict.limit;
    fields.margin = verdict.margin;
    return fields;
}

}  // namespace tintora::report
