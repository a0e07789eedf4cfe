#include "core/formulas/FormulaProperties.h"

#include "core/formulas/FormulaFile.h"

#include <algorithm>

namespace tintora {

namespace {

constexpr std::string_view PropertiesSection = "Properties";
constexpr std::string_view MemoSection = "Memo";
constexpr std::string_view SpecSection = "Spec";

// Counts of 0 or below mean none; very large ones are cut (MaxPropertyLines).
int listedCount(const IniFile& file, std::string_view section, std::string_view key)
{
    return std::clamp(file.readInteger(section, key, 0), 0, MaxPropertyLines);
}

std::string numberedKey(std::string_view stem, int i)
{
    return std::string(stem) + std::to_string(i);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// One to maxDigits digits at text[pos]; advances pos.
std::optional<std::pair<int, int>> readNumber(std::string_view text, std::size_t& pos, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && isDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return std::pair{value, digits};
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithName(std::string_view text, std::string_view name)
{
    return !name.empty() && text.size() >= name.size()
        && std::equal(
            name.begin(), name.end(), text.begin(), [](char a, char b) { return asciiLower(a) == asciiLower(b); });
}

// The longest of the names at text[pos]: its number from 1 and its length.
template <std::size_t N>
std::optional<std::pair<int, std::size_t>> readName(std::string_view text, std::size_t pos,
    const std::array<std::string, N>& shortNames, const std::array<std::string, N>& longNames)
{
    std::optional<std::pair<int, std::size_t>> best;
    for (const auto* names : {&shortNames, &longNames})
        for (std::size_t i = 0; i < N; ++i) {
            const std::string& name = (*names)[i];
            if (startsWithName(text.substr(pos), name) && (!best || name.size() > best->second))
                best = std::pair{static_cast<int>(i) + 1, name.size()};
        }
    return best;
}

int windowedYear(int twoDigits, int currentYear)
{
    const int last = currentYear + 20;
    return last - ((last - twoDigits) % 100 + 100) % 100;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

}  // namespace

// --- reading the sections --------------------------------------------------------

FormulaProperties readFormulaProperties(const IniFile& file)
{
    FormulaProperties result;
    result.date = file.value(PropertiesSection, "Date");

    const int memoCount = listedCount(file, MemoSection, "MemoCount");
    for (int i = 0; i < memoCount; ++i)
        result.notes.push_back(file.readString(MemoSection, numberedKey("Memo", i), ""));

    const int specCount = listedCount(file, SpecSection, "SpecCount");
    for (int i = 0; i < specCount; ++i)
        result.testSpecs.push_back(testSpecFromFile(file.readString(SpecSection, numberedKey("Spec", i), ""),
            file.readString(SpecSection, numberedKey("SpecSub", i), "")));
    return result;
}

FormulaProperties readFormulaProperties(const std::filesystem::path& formulaPath)
{
    return readFormulaProperties(IniFile::read(formulaPath, MaxIniFileBytes, formulaSections()));
}

// --- the revision date ---------------------------------------------------------

bool isValidDate(const CalendarDate& date)
{
    return date.year >= MinDateYear && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1
        && date.day <= daysInMonth(date.year, date.month);
}

namespace {

// Reads a date text along a date pattern, one element of the pattern at a
// time: a quoted literal, a run of d, M or y, or any other character, which
// must stand in the text as it is.
class PatternDateReader {
public:
    PatternDateReader(std::string_view text, std::string_view pattern, int currentYear, const DateNames& names)
        : text_(text)
        , pattern_(pattern)
        , currentYear_(currentYear)
        , names_(names)
    {
    }

    std::optional<CalendarDate> read()
    {
        while (p_ < pattern_.size()) {
            if (!readElement(pattern_[p_]))
                return std::nullopt;
        }
        if (pos_ != text_.size() || !day_ || !month_ || !year_)
            return std::nullopt;
        const CalendarDate date{*year_, *month_, *day_};
        return isValidDate(date) ? std::optional(date) : std::nullopt;
    }

private:
    bool literal(char c)
    {
        if (pos_ >= text_.size() || text_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }

    bool readElement(char c)
    {
        if (c == '\'')
            return readQuoted();
        if (c == 'd' || c == 'M' || c == 'y')
            return readField(c);
        return readLiteral(c);
    }

    bool readLiteral(char c)
    {
        ++p_;
        return literal(c);
    }

    // 'text' is literal; '' inside or outside quotes is one quote.
    bool readQuoted()
    {
        ++p_;
        if (p_ < pattern_.size() && pattern_[p_] == '\'') {
            ++p_;
            return literal('\'');
        }
        while (p_ < pattern_.size()) {
            if (pattern_[p_] == '\'') {
                if (p_ + 1 < pattern_.size() && pattern_[p_ + 1] == '\'') {
                    if (!literal('\''))
                        return false;
                    p_ += 2;
                    continue;
                }
                ++p_;
                break;
            }
            if (!literal(pattern_[p_]))
                return false;
            ++p_;
        }
        return true;
    }

    // A run of d, M or y: a number, or with more than two d or M a day or month name.
    bool readField(char c)
    {
        std::size_t run = 0;
        while (p_ + run < pattern_.size() && pattern_[p_ + run] == c)
            ++run;
        p_ += run;
        if (c != 'y' && run > 2)
            return readMonthOrDayName(c);
        const auto number = readNumber(text_, pos_, c == 'y' ? 4 : 2);
        if (!number)
            return false;
        if (c == 'd')
            day_ = number->first;
        else if (c == 'M')
            month_ = number->first;
        else
            year_ = number->second <= 2 ? windowedYear(number->first, currentYear_) : number->first;
        return true;
    }

    bool readMonthOrDayName(char c)
    {
        const auto name = c == 'M' ? readName(text_, pos_, names_.shortMonths, names_.longMonths)
                                   : readName(text_, pos_, names_.shortDays, names_.longDays);
        if (!name)
            return false;
        pos_ += name->second;
        if (c == 'M')
            month_ = name->first;
        return true;
    }

    std::string_view text_;
    std::string_view pattern_;
    int currentYear_;
    const DateNames& names_;
    std::size_t pos_ = 0;  // in the text
    std::size_t p_ = 0;  // in the pattern
    std::optional<int> day_;
    std::optional<int> month_;
    std::optional<int> year_;
};

}  // namespace

std::optional<CalendarDate> parsePatternDate(
    std::string_view text, std::string_view pattern, int currentYear, const DateNames& names)
{
    return PatternDateReader(text, pattern, currentYear, names).read();
}

std::optional<CalendarDate> parseIsoDate(std::string_view text)
{
    const auto digitsAt = [&](std::size_t from, std::size_t count) {
        return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
            text.begin() + static_cast<std::ptrdiff_t>(from + count), isDigit);
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digitsAt(0, 4) || !digitsAt(5, 2) || !digitsAt(8, 2))
        return std::nullopt;
    const auto number = [&](std::size_t from, std::size_t count) {
        int value = 0;
        for (std::size_t i = from; i < from + count; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const CalendarDate date{number(0, 4), number(5, 2), number(8, 2)};
    return isValidDate(date) ? std::optional(date) : std::nullopt;
}

std::string isoDateText(const CalendarDate& date)
{
    const auto digits = [](int value, std::size_t width) {
        std::string text = std::to_string(value);
        return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
    };
    return digits(date.year, 4) + "-" + digits(date.month, 2) + "-" + digits(date.day, 2);
}

RevisionDate readRevisionDate(const std::optional<std::string>& stored, std::string_view shortDatePattern,
    const CalendarDate& today, const DateNames& names)
{
    // An empty value is no date at all, the same as a missing one.
    if (!stored || stored->empty())
        return {today, {}};
    // The written form first: it reads the same under every date setting.
    if (auto date = parseIsoDate(*stored))
        return {date, {}};
    if (auto date = parsePatternDate(*stored, shortDatePattern, today.year, names))
        return {date, {}};
    return {std::nullopt, "'" + *stored + "' is not a valid date"};
}

std::string fourDigitYearPattern(std::string_view pattern)
{
    std::string result;
    bool quoted = false;
    for (std::size_t p = 0; p < pattern.size();) {
        const char c = pattern[p];
        if (c == '\'')
            quoted = !quoted;
        if (c == 'y' && !quoted) {
            std::size_t run = 0;
            while (p + run < pattern.size() && pattern[p + run] == 'y')
                ++run;
            result += run < 4 ? std::string("yyyy") : std::string(run, 'y');
            p += run;
            continue;
        }
        result += c;
        ++p;
    }
    return result;
}

// --- the test spec list ----------------------------------------------------

std::string trimBlanksAndControls(std::string_view text)
{
    const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isTrimmed(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

TestSpecEntry testSpecFromFile(std::string caption, std::string determinedValue)
{
    TestSpecEntry entry{std::move(caption), {}};
    if (!determinedValue.empty())
        entry.subItems.push_back(std::move(determinedValue));
    return entry;
}

TestSpecFields fieldsForEditing(const TestSpecEntry& entry)
{
    std::string joined;
    for (const std::string& subItem : entry.subItems)
        joined += subItem + "\r\n";
    return {trimBlanksAndControls(entry.caption), trimBlanksAndControls(joined)};
}

TestSpecEntry addedTestSpec(std::string spec, std::string value)
{
    return {std::move(spec), {std::move(value)}};
}

void applyEditedTestSpec(TestSpecEntry& entry, std::string spec, std::string value)
{
    entry.caption = std::move(spec);
    entry.subItems.clear();
    if (!value.empty())
        entry.subItems.push_back(std::move(value));
}

// --- the notes ---------------------------------------------------------------

std::size_t typedCharactersThatFit(std::size_t length, std::size_t selected, std::size_t inserted, std::size_t limit)
{
    const std::size_t kept = length - std::min(selected, length);
    const std::size_t room = kept < limit ? limit - kept : 0;
    return std::min(inserted, room);
}

// --- placement -----------------------------------------------------------------

ScreenPoint placeFormulaProperties(ScreenPoint mainWindowCorner, int width, int height, const ScreenArea& screen)
{
    return keepOnScreen({mainWindowCorner.x + 60, mainWindowCorner.y + 50}, width, height, screen);
}

ScreenPoint placeTestSpecEntry(ScreenPoint propertiesCorner)
{
    return {propertiesCorner.x + 25, propertiesCorner.y + 60};
}

}  // namespace tintora
