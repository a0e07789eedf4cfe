#include "core/formulas/FormulaWrite.h"

#include "core/formulas/FormulaFile.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <charconv>

namespace tintora {

namespace fs = std::filesystem;

namespace {

constexpr const char* FormulaSection = "Formula";
constexpr const char* PropertiesSection = "Properties";
constexpr const char* MemoSection = "Memo";
constexpr const char* SpecSection = "Spec";

std::string withoutBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

WrittenRow writtenRow(const FormulaSheet& sheet, int n)
{
    const std::string& code = sheet.cell(Column::Material, n);
    if (!code.empty())
        return {WrittenRowKind::Material, code, withoutBlanks(sheet.cell(Column::Weight, n))};
    const std::string& note = sheet.cell(Column::Description, n);
    if (!sheet.row(n).RowKind && !note.empty())
        return {WrittenRowKind::Note, note, {}};
    return {};
}

IniChange set(const char* section, std::string key, std::string value, std::string label)
{
    return {section, std::move(key), std::move(value), IniQuoting::Exact, std::move(label)};
}

IniChange removal(const char* section, std::string key)
{
    return {section, std::move(key), std::nullopt};
}

void addRowChanges(std::vector<IniChange>& changes, int n, const WrittenRow& row)
{
    const std::string number = std::to_string(n);
    const std::string inRow = " in row " + number;
    switch (row.kind) {
    case WrittenRowKind::Material:
        changes.push_back(set(FormulaSection, "rType" + number, "1", "the row kind" + inRow));
        changes.push_back(set(FormulaSection, "Material" + number, row.text, "the material code" + inRow));
        changes.push_back(set(FormulaSection, "Weight" + number, row.weight, "the weight" + inRow));
        return;
    case WrittenRowKind::Note:
        changes.push_back(set(FormulaSection, "rType" + number, "0", "the row kind" + inRow));
        changes.push_back(set(FormulaSection, "Material" + number, row.text, "the note" + inRow));
        changes.push_back(removal(FormulaSection, "Weight" + number));
        return;
    case WrittenRowKind::Empty:
        for (const char* stem : {"rType", "Material", "Weight"})
            changes.push_back(removal(FormulaSection, stem + number));
        return;
    }
}

std::optional<std::string> firstProblem(const std::vector<IniChange>& changes)
{
    for (const IniChange& change : changes)
        if (change.value)
            if (auto problem = iniValueProblem(*change.value, change.quoting))
                return change.label + " " + *problem;
    return std::nullopt;
}

// The number of a numbered key: "memo12" with stem "memo" gives 12. Only the
// plain decimal form (no sign, no leading zero) is ever read.
std::optional<int> keyNumber(std::string_view lowerKey, std::string_view stem)
{
    if (!lowerKey.starts_with(stem))
        return std::nullopt;
    const std::string_view digits = lowerKey.substr(stem.size());
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// Removes the numbered keys from count on that the file holds in section.
void removeBeyond(std::vector<IniChange>& changes, const IniFile& file, const char* section,
    std::initializer_list<std::string_view> stems, std::size_t count)
{
    const auto found = file.entries().find(asciiLower(section));
    if (found == file.entries().end())
        return;
    std::vector<std::string> stale;
    for (const auto& [key, value] : found->second)
        for (const std::string_view stem : stems)
            if (const auto number = keyNumber(key, stem); number && static_cast<std::size_t>(*number) >= count)
                stale.push_back(key);
    std::sort(stale.begin(), stale.end());  // a stable file, whatever the map's order
    for (std::string& key : stale)
        changes.push_back(removal(section, std::move(key)));
}

std::string lineLabel(const char* what, std::size_t i)
{
    return std::string(what) + " " + std::to_string(i + 1);
}

std::vector<IniChange> propertiesChanges(
    const FormulaProperties& properties, bool formulaProtected, const IniFile& existing)
{
    std::vector<IniChange> changes;
    changes.push_back(set(PropertiesSection, "Protect", formulaProtected ? "1" : "0", "the protection"));
    if (properties.date)
        changes.push_back(set(PropertiesSection, "Date", *properties.date, "the date"));
    else
        changes.push_back(removal(PropertiesSection, "Date"));

    const auto& notes = properties.notes;
    changes.push_back(set(MemoSection, "MemoCount", std::to_string(notes.size()), "the number of notes"));
    for (std::size_t i = 0; i < notes.size(); ++i)
        changes.push_back(set(MemoSection, "Memo" + std::to_string(i), notes[i], lineLabel("note line", i)));
    removeBeyond(changes, existing, MemoSection, {"memo"}, notes.size());

    const auto& specs = properties.testSpecs;
    changes.push_back(set(SpecSection, "SpecCount", std::to_string(specs.size()), "the number of test specs"));
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const std::string number = std::to_string(i);
        const std::string value = specs[i].subItems.empty() ? std::string() : specs[i].subItems.front();
        changes.push_back(set(SpecSection, "Spec" + number, specs[i].caption, lineLabel("the name of test spec", i)));
        changes.push_back(set(SpecSection, "SpecSub" + number, value, lineLabel("the value of test spec", i)));
    }
    removeBeyond(changes, existing, SpecSection, {"spec", "specsub"}, specs.size());
    return changes;
}

}  // namespace

FormulaWrittenForm writtenFormOf(const FormulaSheet& sheet)
{
    FormulaWrittenForm form;
    form.name = sheet.name();
    for (int n = 1; n <= SheetRowCount; ++n)
        form.rows[static_cast<std::size_t>(n - 1)] = writtenRow(sheet, n);
    return form;
}

std::vector<IniChange> formulaChanges(const FormulaWrittenForm& form)
{
    std::vector<IniChange> changes;
    changes.push_back(set(FormulaSection, "Name", form.name, "the formula's name"));
    for (int n = 1; n <= SheetRowCount; ++n)
        addRowChanges(changes, n, form.rows[static_cast<std::size_t>(n - 1)]);
    return changes;
}

std::optional<std::string> formulaSaveProblem(const FormulaWrittenForm& form)
{
    return firstProblem(formulaChanges(form));
}

WriteResult FormulaSave(const FormulaSheet& sheet, const fs::path& target, const std::optional<fs::path>& source)
{
    return writeIniChanges(target, formulaChanges(writtenFormOf(sheet)), source);
}

std::string askSaveQuestion(std::string_view formulaPath)
{
    const std::string name = fileNameOf(formulaPath);
    return "Save changes to " + (name.empty() ? std::string("the new formula") : name) + "?";
}

WriteResult saveFormulaProperties(
    const fs::path& formulaPath, const FormulaProperties& properties, bool formulaProtected)
{
    const auto tooMany = [&](const char* what) {
        return WriteResult::failed(cannotWrite(
            formulaPath, "more than " + std::to_string(MaxPropertyLines) + " " + what + " cannot be read back"));
    };
    if (properties.notes.size() > static_cast<std::size_t>(MaxPropertyLines))
        return tooMany("note lines");
    if (properties.testSpecs.size() > static_cast<std::size_t>(MaxPropertyLines))
        return tooMany("test specs");
    const IniFile existing = IniFile::read(formulaPath, MaxFormulaFileBytes, formulaSections());
    return writeIniChanges(formulaPath, propertiesChanges(properties, formulaProtected, existing));
}

}  // namespace tintora
