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
    const std::string& note = sheet.cell(Column::Description, n);
    if (!code.empty()) {
        // A code that names no file stays on a row that holds a note; the
        // file keeps both. A material row's description is its material's name.
        const bool keepsNote = !sheet.isMaterialRow(n) && note != MaterialNotFound;
        return {WrittenRowKind::Material, code, withoutBlanks(sheet.cell(Column::Weight, n)), keepsNote ? note : ""};
    }
    if (!sheet.isMaterialRow(n) && !note.empty())
        return {WrittenRowKind::Note, note, {}, {}};
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
    const std::string noteKey = RowNoteKey + number;
    switch (row.kind) {
    case WrittenRowKind::Material:
        changes.push_back(set(FormulaSection, "rType" + number, "1", "the row kind" + inRow));
        changes.push_back(set(FormulaSection, "Material" + number, row.text, "the material code" + inRow));
        changes.push_back(set(FormulaSection, "Weight" + number, row.weight, "the weight" + inRow));
        changes.push_back(row.note.empty() ? removal(FormulaSection, noteKey)
                                           : set(FormulaSection, noteKey, row.note, "the note" + inRow));
        return;
    case WrittenRowKind::Note:
        changes.push_back(set(FormulaSection, "rType" + number, "0", "the row kind" + inRow));
        changes.push_back(set(FormulaSection, "Material" + number, row.text, "the note" + inRow));
        changes.push_back(removal(FormulaSection, "Weight" + number));
        changes.push_back(removal(FormulaSection, noteKey));
        return;
    case WrittenRowKind::Empty:
        for (const std::string& key : {"rType" + number, "Material" + number, "Weight" + number, noteKey})
            changes.push_back(removal(FormulaSection, key));
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

void addNoteChanges(std::vector<IniChange>& changes, const std::vector<std::string>& notes, const IniFile& existing)
{
    changes.push_back(set(MemoSection, "MemoCount", std::to_string(notes.size()), "the number of notes"));
    for (std::size_t i = 0; i < notes.size(); ++i)
        changes.push_back(set(MemoSection, "Memo" + std::to_string(i), notes[i], lineLabel("note line", i)));
    removeBeyond(changes, existing, MemoSection, {"memo"}, notes.size());
}

void addTestSpecChanges(
    std::vector<IniChange>& changes, const std::vector<TestSpecEntry>& specs, const IniFile& existing)
{
    changes.push_back(set(SpecSection, "SpecCount", std::to_string(specs.size()), "the number of test specs"));
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const std::string number = std::to_string(i);
        const std::string value = specs[i].subItems.empty() ? std::string() : specs[i].subItems.front();
        changes.push_back(set(SpecSection, "Spec" + number, specs[i].caption, lineLabel("the name of test spec", i)));
        changes.push_back(set(SpecSection, "SpecSub" + number, value, lineLabel("the value of test spec", i)));
    }
    removeBeyond(changes, existing, SpecSection, {"spec", "specsub"}, specs.size());
}

// Only what the user changed in the dialog is written, and of that only the
// keys whose stored value differs: OK on an untouched dialog leaves the file
// as it is, whatever form its date or counts were written in.
std::vector<IniChange> propertiesChanges(
    const PropertiesChoice& opened, const PropertiesChoice& chosen, const IniFile& existing)
{
    std::vector<IniChange> changes;
    if (chosen.formulaProtected != opened.formulaProtected)
        changes.push_back(set(PropertiesSection, "Protect", chosen.formulaProtected ? "1" : "0", "the protection"));
    const auto& date = chosen.properties.date;
    if (date != opened.properties.date)
        changes.push_back(
            date ? set(PropertiesSection, "Date", *date, "the date") : removal(PropertiesSection, "Date"));
    if (chosen.properties.notes != opened.properties.notes)
        addNoteChanges(changes, chosen.properties.notes, existing);
    if (chosen.properties.testSpecs != opened.properties.testSpecs)
        addTestSpecChanges(changes, chosen.properties.testSpecs, existing);

    std::erase_if(changes, [&](const IniChange& change) {
        return change.value && existing.value(change.section, change.key) == *change.value;
    });
    return changes;
}

}  // namespace

FormulaWrittenForm writtenFormOf(const FormulaSheet& sheet)
{
    FormulaWrittenForm form;
    form.name = sheet.name();
    form.compliance = sheet.compliance;
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
    // Nothing chosen writes no section: a formula saved without ever
    // choosing stays as older versions wrote it.
    const auto choice = [](const std::string& value) { return value.empty() ? std::nullopt : std::optional(value); };
    changes.push_back(
        {ComplianceSection, "Category", choice(form.compliance.category), IniQuoting::Exact, "the VOC category"});
    changes.push_back({ComplianceSection, "Type", choice(form.compliance.type), IniQuoting::Exact, "the product type"});
    return changes;
}

std::optional<std::string> formulaSaveProblem(const FormulaWrittenForm& form)
{
    return firstProblem(formulaChanges(form));
}

Result<FileStamp> FormulaSave(const FormulaSheet& sheet, const fs::path& target, const std::optional<fs::path>& source,
    const std::vector<IniChange>& moreChanges)
{
    // Save refuses its own protected formula; no other way writes over one either.
    if (isProtectedFormula(target))
        return Failure(fileNameOf(target.native()) + " is protected and cannot be overwritten.");
    std::vector<IniChange> changes = formulaChanges(writtenFormOf(sheet));
    // A copy under a new name is the user's to change: the protection of the
    // formula it came from stays with that formula.
    if (source && !source->empty() && IniFile::read(*source).readInteger(PropertiesSection, "Protect", 0) != 0)
        changes.push_back(set(PropertiesSection, "Protect", "0", "the protection"));
    changes.insert(changes.end(), moreChanges.begin(), moreChanges.end());
    return writeIniChanges(target, changes, source);
}

std::string askSaveQuestion(std::string_view formulaPath)
{
    const std::string name = fileNameOf(formulaPath);
    return "Save changes to " + (name.empty() ? std::string("the new formula") : name) + "?";
}

Result<FileStamp> saveFormulaProperties(
    const fs::path& formulaPath, const PropertiesChoice& opened, const PropertiesChoice& chosen)
{
    const auto tooMany = [&](const char* what) {
        return Failure(cannotWrite(
            formulaPath, "more than " + std::to_string(MaxPropertyLines) + " " + what + " cannot be read back"));
    };
    if (chosen.properties.notes.size() > static_cast<std::size_t>(MaxPropertyLines))
        return tooMany("note lines");
    if (chosen.properties.testSpecs.size() > static_cast<std::size_t>(MaxPropertyLines))
        return tooMany("test specs");
    const IniFile existing = IniFile::read(formulaPath, MaxFormulaFileBytes, formulaSections());
    const std::vector<IniChange> changes = propertiesChanges(opened, chosen, existing);
    if (changes.empty())
        return stampOfFile(formulaPath);  // nothing written: the file keeps its state
    return writeIniChanges(formulaPath, changes);
}

}  // namespace tintora
