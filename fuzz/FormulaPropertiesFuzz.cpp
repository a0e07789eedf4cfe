// Any bytes as a formula file, read for the properties dialog: as many note
// lines and test specs as the counts say, never more than MaxPropertyLines,
// each as stored; the date as stored, read as a valid calendar date, as today
// when empty, or refused with a message naming the text.
#include "core/formulas/FormulaProperties.h"
#include "core/text/IniFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace tintora;

std::size_t expectedCount(const IniFile& ini, const char* section, const char* key)
{
    const auto count = parseIniInteger(ini.readString(section, key, "0"));
    return static_cast<std::size_t>(std::clamp(count.value_or(0), 0, MaxPropertyLines));
}

bool isTrimmedEnd(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

void checkDate(const FormulaProperties& read, std::uint8_t choice)
{
    static const std::array<const char*, 6> patterns
        = {"M/d/yy", "dd.MM.yyyy", "d MMM yyyy", "yyyy-MM-dd", "dddd, d 'de' MMMM 'de' yyyy", "d/M/y"};
    DateNames names;
    names.shortMonths = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    names.longMonths = {"january", "february", "march", "april", "may", "june", "july", "august", "september",
        "october", "november", "december"};
    names.shortDays = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
    names.longDays = {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
    const CalendarDate today{2026, 12, 7};
    const std::string pattern = patterns[choice % patterns.size()];
    const RevisionDate date = readRevisionDate(read.date, pattern, today, names);
    if (date.date.has_value() == !date.problem.empty())
        std::abort();
    if (date.date && !isValidDate(*date.date))
        std::abort();
    if ((!read.date || read.date->empty()) && date.date != today)
        std::abort();
    if (!date.date && date.problem != "'" + *read.date + "' is not a valid date")
        std::abort();
    // The pattern the date field is given always spells the year in full.
    const std::string full = fourDigitYearPattern(pattern);
    if (full.find("yyyy") == std::string::npos || fourDigitYearPattern(full) != full)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const IniFile ini = IniFile::parse(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    const FormulaProperties read = readFormulaProperties(ini);
    if (read.date != ini.value("Properties", "Date"))
        std::abort();
    if (read.notes.size() != expectedCount(ini, "Memo", "MemoCount"))
        std::abort();
    for (std::size_t i = 0; i < read.notes.size(); ++i)
        if (read.notes[i] != ini.readString("Memo", "Memo" + std::to_string(i), ""))
            std::abort();
    if (read.testSpecs.size() != expectedCount(ini, "Spec", "SpecCount"))
        std::abort();
    for (std::size_t i = 0; i < read.testSpecs.size(); ++i) {
        const TestSpecEntry& entry = read.testSpecs[i];
        const std::string value = ini.readString("Spec", "SpecSub" + std::to_string(i), "");
        if (entry.caption != ini.readString("Spec", "Spec" + std::to_string(i), "")
            || entry.subItems != (value.empty() ? std::vector<std::string>{} : std::vector{value}))
            std::abort();
        // Editing an entry without change keeps its texts, trimmed.
        const TestSpecFields fields = fieldsForEditing(entry);
        for (const std::string& text : {fields.spec, fields.value})
            if (!text.empty() && (isTrimmedEnd(text.front()) || isTrimmedEnd(text.back())))
                std::abort();
        TestSpecEntry edited = entry;
        applyEditedTestSpec(edited, fields.spec, fields.value);
        if (fieldsForEditing(edited) != fields)
            std::abort();
    }
    checkDate(read, data[0]);
    return 0;
}
