#include "VocCheckReport.h"

#include "ComplianceFields.h"
#include "CsvField.h"
#include "PropertyKeys.h"
#include "ReportFormula.h"
#include "SettingsFolders.h"
#include "TextTable.h"

#include "core/formulas/FormulaFile.h"
#include "core/formulas/WhereUsed.h"
#include "core/text/NumberText.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tintora::report {

namespace {

enum class VocState { Ok, Over, NoCategory, Unknown, Unreadable };

struct VocLine {
    std::string file, name, category, basis;  // basis: EU or US, empty without a category
    std::optional<double> voc, limit, margin;  // g/L, in the category's basis
    VocState state = VocState::NoCategory;
    std::string why;  // for a formula that is not judged
};

const char* stateWord(VocState state)
{
    switch (state) {
    case VocState::Ok:
        return "ok";
    case VocState::Over:
        return "over";
    case VocState::NoCategory:
        return "no category";
    case VocState::Unknown:
        return "unknown";
    case VocState::Unreadable:
        return "unreadable";
    }
    return "";
}

// Why a formula that chose a category cannot be judged by it; empty when it chose none.
std::string noCategoryReason(const FormulaSheet& sheet, const VocCategory* category)
{
    if (sheet.compliance.category.empty())
        return {};
    if (!category)
        return "the category is not in " + std::string(VocLimitsFileName);
    return "no product type (WB or SB) chosen";
}

// A sentence of the core as the reason after a verdict word: "unknown: a
// material of the formula was not found", without the word again or a stop.
std::string asReason(std::string sentence, std::string_view word)
{
    if (sentence.starts_with(word))
        sentence.erase(0, word.size());
    if (sentence.ends_with('.'))
        sentence.pop_back();
    return sentence;
}

void judge(VocLine& line, const FormulaSheet& sheet, const VocLimitsTable& table)
{
    const VocCategory* category = categoryOf(sheet, table);
    line.category = sheet.compliance.category;
    if (category)
        line.basis = category->basis == VocBasis::EU ? "EU" : "US";
    const VocVerdict verdict = vocVerdict(sheet, category, productTypeOfKey(sheet.compliance.type));
    line.voc = verdict.voc;
    line.limit = verdict.limit;
    line.margin = verdict.margin;
    switch (verdict.state) {
    case VocVerdict::State::Within:
        line.state = VocState::Ok;
        break;
    case VocVerdict::State::Over:
        line.state = VocState::Over;
        break;
    case VocVerdict::State::Unknown:
        line.state = VocState::Unknown;
        line.why = asReason(verdict.words, "Unknown: ");
        break;
    case VocVerdict::State::NoCategory:
        line.state = VocState::NoCategory;
        line.why = noCategoryReason(sheet, category);
        break;
    }
}

std::vector<VocLine> checkFolder(const fs::path& folder, const MaterialFiles& materials, const VocLimitsTable& table)
{
    std::vector<VocLine> lines;
    for (const fs::path& file : formulaFilesIn(folder)) {
        VocLine& line = lines.emplace_back();
        line.file = shownFileName(file.native());
        const FormulaFileRead read = readFormulaFile(file);
        if (read.state != FormulaFileState::Formula) {
            line.state = VocState::Unreadable;
            line.why = asReason(formulaFileReason(read.state), "");
            continue;
        }
        const LoadedFormula loaded = loadReadFormula(file.native(), read, materials, PercentBasis::Weight);
        line.name = loaded.sheet.name();
        judge(line, loaded.sheet, table);
    }
    return lines;
}

std::string shownNumber(const std::optional<double>& value)
{
    return value ? formatThreeDecimals(*value) : std::string();
}

std::string verdictText(const VocLine& line)
{
    return line.why.empty() ? stateWord(line.state) : std::string(stateWord(line.state)) + ": " + line.why;
}

void writeTable(std::ostream& out, const std::vector<VocLine>& lines)
{
    if (lines.empty()) {
        out << "No formula in the folder.\n";
        return;
    }
    TextTable table({{"file", Align::Left}, {"name", Align::Left}, {"category", Align::Left}, {"basis", Align::Left},
        {"VOC g/L", Align::Right}, {"limit", Align::Right}, {"margin", Align::Right}, {"verdict", Align::Left}});
    for (const VocLine& line : lines)
        table.add({line.file, line.name, line.category, line.basis, shownNumber(line.voc), shownNumber(line.limit),
            shownNumber(line.margin), verdictText(line)});
    out << table.render();
}

nlohmann::ordered_json textOrNull(const std::string& text)
{
    return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

void writeJson(std::ostream& out, const std::vector<VocLine>& lines)
{
    nlohmann::ordered_json formulas = nlohmann::ordered_json::array();
    for (const VocLine& line : lines)
        formulas.push_back(
            {{"file", line.file}, {"name", textOrNull(line.name)}, {CategoryKey, textOrNull(line.category)},
                {"basis", textOrNull(line.basis)}, {"voc_g_per_l", jsonNumber(line.voc)},
                {VocLimitKey, jsonNumber(line.limit)}, {VocMarginKey, jsonNumber(line.margin)},
                {"verdict", stateWord(line.state)}, {"why", textOrNull(line.why)}});
    const nlohmann::ordered_json report = {{"formulas", formulas}};
    out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void writeCsv(std::ostream& out, const std::vector<VocLine>& lines)
{
    constexpr const char* LineEnd = "\r\n";
    out << "file,name,category,basis,voc_g_per_l," << VocLimitKey << ',' << VocMarginKey << ",verdict,why" << LineEnd;
    for (const VocLine& line : lines)
        out << csvField(line.file) << ',' << csvField(line.name) << ',' << csvField(line.category) << ',' << line.basis
            << ',' << shownNumber(line.voc) << ',' << shownNumber(line.limit) << ',' << shownNumber(line.margin) << ','
            << stateWord(line.state) << ',' << csvField(line.why) << LineEnd;
}

int exitStatus(const std::vector<VocLine>& lines, bool strict)
{
    for (const VocLine& line : lines) {
        const bool undecided = line.state == VocState::NoCategory || line.state == VocState::Unknown;
        if (line.state == VocState::Over || line.state == VocState::Unreadable || (strict && undecided))
            return 1;
    }
    return 0;
}

}  // namespace

int vocCheckReport(const ReportOptions& options, const fs::path& materialFolder)
{
    const fs::path folder = options.vocFolder ? fs::path(*options.vocFolder) : defaultFolder(FolderKind::Formulas);
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        reportProblem("the formula folder is not a folder: " + folder.string());
        return 2;
    }
    const VocLimitsTable& table = vocLimitsOfFolder(folder);
    // A skipped section is named by the file; the missing file names itself.
    const std::string file = (folder / VocLimitsFileName).string();
    for (const std::string& problem : table.problems) {
        std::string line = problem.find(VocLimitsFileName) == std::string::npos ? file + ": " : std::string();
        line += problem;
        reportWarning(line);
    }
    const MaterialFiles materials(materialFolder);
    const std::vector<VocLine> lines = checkFolder(folder, materials, table);
    if (options.json)
        writeJson(std::cout, lines);
    else if (options.csv)
        writeCsv(std::cout, lines);
    else
        writeTable(std::cout, lines);
    return exitStatus(lines, options.strict);
}

}  // namespace tintora::report
