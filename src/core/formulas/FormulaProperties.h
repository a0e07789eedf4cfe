#pragma once
// What the formula properties dialog shows of a formula file: the revision
// date of section "Properties", the notes of section "Memo" and the
// test specs of section "Spec". Read only; FormulaWrite writes them.
#include "core/sheet/ScreenPlacement.h"
#include "core/text/CalendarDate.h"
#include "core/text/IniFile.h"

#include <array>
#include <compare>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

// A test spec: its caption (the tested property) and its sub-items, of
// which the first is shown as the determined value.
struct TestSpecEntry {
    std::string caption;
    std::vector<std::string> subItems;
    bool operator==(const TestSpecEntry&) const = default;
};

struct FormulaProperties {
    // "Date" of section "Properties" as stored, when the key is there.
    std::optional<std::string> date;
    // "Memo0" ... of section "Memo", one per note line.
    std::vector<std::string> notes;
    // "Spec0"/"SpecSub0" ... of section "Spec".
    std::vector<TestSpecEntry> testSpecs;
};

// A "MemoCount" or "SpecCount" above this reads as this many: the keys beyond
// any real file's are all empty, and a count of millions would only fill the
// dialog with blank lines for minutes.
constexpr int MaxPropertyLines = 1000;

// Reads the three sections; "Protect" is not read (the sheet's load has it).
FormulaProperties readFormulaProperties(const IniFile& file);
// Reads the file once; a missing file gives no date, notes or test specs.
FormulaProperties readFormulaProperties(const std::filesystem::path& formulaPath);

// --- the revision date ---------------------------------------------------------

// The earliest year the date field can show.
constexpr int MinDateYear = 100;

bool isValidDate(const CalendarDate& date);

// The month and weekday names of the system's language, for patterns that
// spell them ("d MMM yyyy"). Names are matched without regard to ASCII case.
struct DateNames {
    std::array<std::string, 12> shortMonths;
    std::array<std::string, 12> longMonths;
    std::array<std::string, 7> shortDays;
    std::array<std::string, 7> longDays;
};

// A date in the form of a date pattern ("M/d/yy", "dd.MM.yyyy", "d MMM yyyy",
// text in single quotes taken literally), read as leniently as the short date
// format has always been read: day and month in one or two digits whatever
// the pattern, the year in one to four digits; where the pattern spells the
// month, its short or long name; a weekday name is passed over. A year of one
// or two digits falls in the hundred years from 79 years before to 20 years
// after currentYear.
std::optional<CalendarDate> parsePatternDate(
    std::string_view text, std::string_view pattern, int currentYear, const DateNames& names = {});
// Exactly yyyy-MM-dd.
std::optional<CalendarDate> parseIsoDate(std::string_view text);
// The date as yyyy-MM-dd, the form a changed date is written in: it reads the
// same on every machine, whatever its date settings.
std::string isoDateText(const CalendarDate& date);

// The date the dialog shows for a stored "Date" value.
struct RevisionDate {
    // nullopt when the stored text is no date
    std::optional<CalendarDate> date;
    // for a text that is no date: "'<text>' is not a valid date" (the general
    // error report adds the period)
    std::string problem;
};

// A missing or empty value gives today. Otherwise the text is read as
// yyyy-MM-dd and, failing that, in the system's short date form, so that files
// written on machines with other date settings still read.
RevisionDate readRevisionDate(const std::optional<std::string>& stored, std::string_view shortDatePattern,
    const CalendarDate& today, const DateNames& names = {});

// The pattern with every year of fewer than four letters written "yyyy", so
// that the date field never has to guess a century.
std::string fourDigitYearPattern(std::string_view pattern);

// --- the test spec list ----------------------------------------------------

// The text without leading and trailing blanks and control characters
// (every byte up to and including the blank).
std::string trimBlanksAndControls(std::string_view text);

// An entry read from the file: an empty determined value gives no sub-item.
TestSpecEntry testSpecFromFile(std::string caption, std::string determinedValue);

// What the entry dialog shows when an entry is edited: the caption, and the
// sub-items each followed by a line break, both trimmed.
struct TestSpecFields {
    std::string spec;
    std::string value;
    bool operator==(const TestSpecFields&) const = default;
};
TestSpecFields fieldsForEditing(const TestSpecEntry& entry);

// Add: the two texts as typed, always one sub-item (empty texts too).
TestSpecEntry addedTestSpec(std::string spec, std::string value);
// Edit: the caption replaced; the sub-items become the value, none when empty.
void applyEditedTestSpec(TestSpecEntry& entry, std::string spec, std::string value);

// --- the notes ---------------------------------------------------------------

// The notes box takes at most this many typed characters.
constexpr std::size_t MaxTypedNoteCharacters = 255;

// How many characters of a typed or pasted text fit into a box of `length`
// characters when `selected` of them are replaced.
std::size_t typedCharactersThatFit(
    std::size_t length, std::size_t selected, std::size_t inserted, std::size_t limit = MaxTypedNoteCharacters);

// --- placement -----------------------------------------------------------------

// The properties dialog: 60 right of and 50 below the main window's corner;
// top and left kept on the screen, then bottom and right moved in when they
// stick out.
ScreenPoint placeFormulaProperties(ScreenPoint mainWindowCorner, int width, int height, const ScreenArea& screen);
// The entry dialog: 25 right of and 60 below the properties dialog's corner.
ScreenPoint placeTestSpecEntry(ScreenPoint propertiesCorner);

}  // namespace tintora
