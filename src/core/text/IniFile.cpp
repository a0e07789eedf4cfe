#include "core/text/IniFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <limits>
#include <system_error>
#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

namespace tintora {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t maxValueCharacters = 1023;
constexpr std::size_t MiB = std::size_t{1024} * 1024;
constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

std::size_t byteOrderMarkLength(std::string_view bytes)
{
    return bytes.starts_with(utf8ByteOrderMark) ? utf8ByteOrderMark.size() : 0;
}

// One line of a file: its text [begin, end) and where the next line starts.
struct LineSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
    bool hasLineEnd() const { return next > end; }
};

LineSpan lineAt(std::string_view text, std::size_t begin)
{
    const auto found = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(begin), text.end(), isLineEnd);
    const auto end = static_cast<std::size_t>(found - text.begin());
    std::size_t next = end;
    if (next < text.size())
        next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
    return {begin, end, next};
}

template <typename Visit>
void forEachLine(std::string_view text, std::size_t begin, Visit visit)
{
    while (begin < text.size()) {
        const LineSpan line = lineAt(text, begin);
        visit(line);
        begin = line.next;
    }
}

enum class LineKind { Other, Section, Entry };

struct IniLine {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    std::size_t valueBegin = 0;  // Entry: offset in the line of the value with its blanks removed
    std::size_t valueEnd = 0;
};

// Blank lines, ";" comments, and lines that are no header and hold no key
// before an "=" are Other. A "[" line without "]" names its section up to the
// end of the line.
IniLine classifyLine(std::string_view line)
{
    const std::string_view text = trimBlanks(line);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        const std::size_t close = text.find(']', 1);
        const auto length = close == std::string_view::npos ? std::string_view::npos : close - 1;
        return {LineKind::Section, trimBlanks(text.substr(1, length)), 0, 0};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    const std::string_view key = trimBlanks(line.substr(0, equals));
    if (key.empty())
        return {};
    const std::string_view value = trimBlanks(line.substr(equals + 1));
    const auto valueBegin = value.empty() ? line.size() : static_cast<std::size_t>(value.data() - line.data());
    return {LineKind::Entry, key, valueBegin, valueBegin + value.size()};
}

std::string_view withoutMatchingQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string storedValue(std::string_view trimmedValue)
{
    const std::string_view value = withoutMatchingQuotes(trimmedValue);
    // Every character takes at least one byte, so a value this short needs no counting.
    if (value.size() <= maxValueCharacters)
        return std::string(value);
    return utf8Prefix(value, maxValueCharacters);
}

using KeyValues = std::unordered_map<std::string, std::string>;
using Sections = std::unordered_map<std::string, KeyValues>;

bool isKept(std::string_view section, const IniSectionNames& kept)
{
    return kept.empty() || std::any_of(kept.begin(), kept.end(), [section](const std::string& name) {
        return equalsIgnoringAsciiCase(section, name);
    });
}

struct ParsedText {
    Sections sections;
    bool anySection = false;
    std::vector<std::string> order;  // the kept sections as written, in file order
    std::vector<std::string> repeated;  // kept sections that appear again
};

// One pass over valid UTF-8 text; a repeated section is skipped whole and a
// repeated key inside the section that counts is ignored; sections not kept
// are passed over. nullopt when the kept sections and their keys are more
// than MaxIniEntries.
std::optional<ParsedText> parseSections(std::string_view text, const IniSectionNames& kept)
{
    ParsedText parsed;
    KeyValues* current = nullptr;
    std::size_t entries = 0;
    for (std::size_t begin = 0; begin < text.size();) {
        const LineSpan span = lineAt(text, begin);
        begin = span.next;
        const std::string_view lineText = text.substr(span.begin, span.end - span.begin);
        const IniLine line = classifyLine(lineText);
        if (line.kind == LineKind::Section) {
            parsed.anySection = true;
            current = nullptr;
            if (isKept(line.name, kept)) {
                auto [entry, isNew] = parsed.sections.try_emplace(asciiLower(line.name));
                current = isNew ? &entry->second : nullptr;
                entries += isNew ? 1 : 0;
                (isNew ? parsed.order : parsed.repeated).emplace_back(line.name);
            }
        } else if (line.kind == LineKind::Entry && current != nullptr) {
            // One lookup: the value is stored only for the first of its key.
            const auto [entry, isNew] = current->try_emplace(asciiLower(line.name));
            if (isNew) {
                entry->second = storedValue(lineText.substr(line.valueBegin, line.valueEnd - line.valueBegin));
                ++entries;
            }
        }
        if (entries > MaxIniEntries)
            return std::nullopt;
    }
    return parsed;
}

bool holdsNul(std::string_view text)
{
    return text.find('\0') != std::string_view::npos;
}

// The text of file bytes as UTF-8: UTF-16 after its mark, UTF-8 after its
// mark or without one, else Windows-1252. nullopt when the bytes are no text:
// a NUL (UTF-16 without its mark, a picture) or UTF-16 that does not decode.
std::optional<std::string> fileText(std::string_view bytes)
{
    if (const auto order = utf16ByteOrder(bytes)) {
        auto text = utf16ToUtf8(bytes.substr(utf16Mark(*order).size()), *order);
        if (!text || holdsNul(*text))
            return std::nullopt;
        return text;
    }
    bytes.remove_prefix(byteOrderMarkLength(bytes));
    if (holdsNul(bytes))
        return std::nullopt;
    return isValidUtf8(bytes) ? std::string(bytes) : windows1252ToUtf8(bytes);
}

struct FileBytes {
    IniReadStatus status = IniReadStatus::Unreadable;
    std::string bytes;
};

// Closes the descriptor it holds.
class OpenFile {
public:
    explicit OpenFile(const fs::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
    }
    ~OpenFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Appends up to maxBytes + 1 bytes of the file, one more than is allowed, to
// tell a file of exactly the limit from a longer one. False on a read error.
bool readUpToLimit(int fd, std::string& bytes, std::size_t maxBytes)
{
    std::size_t filled = bytes.size();
    while (filled <= maxBytes) {
        // The room reserved for the size measured, then more for a file that
        // has grown since.
        const std::size_t room
            = filled < bytes.capacity() ? bytes.capacity() : filled + std::max<std::size_t>(filled, 4096);
        const std::size_t wanted = std::min(maxBytes + 1, room);
        bytes.resize(wanted);
        const ssize_t got = ::read(fd, bytes.data() + filled, wanted - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            bytes.resize(filled);
            return got == 0;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return true;
}

// Reads a regular file whole when it holds at most maxBytes; anything but a
// regular file (a folder, a device, a pipe) is not opened, so that it can
// neither block nor run on forever. The size is told by reading, not by
// asking, so that a file that grows while it is read still stops at the limit.
// One stat and plain reads: a search reads thousands of formulas.
FileBytes readFileBytes(const fs::path& path, std::size_t maxBytes)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? IniReadStatus::Missing : IniReadStatus::Unreadable, {}};
    if (!S_ISREG(st.st_mode))
        return {IniReadStatus::Unreadable, {}};
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return {IniReadStatus::TooLarge, {}};
    const OpenFile file(path);
    if (file.fd() < 0)
        return {IniReadStatus::Unreadable, {}};
    FileBytes read{IniReadStatus::Read, {}};
    read.bytes.reserve(static_cast<std::size_t>(st.st_size) + 1);
    if (!readUpToLimit(file.fd(), read.bytes, maxBytes))
        return {IniReadStatus::Unreadable, {}};
    if (read.bytes.size() > maxBytes)
        return {IniReadStatus::TooLarge, {}};
    return read;
}

}  // namespace

// ---------------------------------------------------------------- reading

IniFileRead IniFile::load(const fs::path& path, std::size_t maxBytes, const IniSectionNames& kept)
{
    const FileBytes file = readFileBytes(path, maxBytes);
    if (file.status != IniReadStatus::Read)
        return {file.status, {}};
    return examine(file.bytes, kept);
}

IniFile IniFile::read(const fs::path& path, std::size_t maxBytes, const IniSectionNames& kept)
{
    return load(path, maxBytes, kept).contents;
}

IniFileRead IniFile::examine(std::string_view bytes, const IniSectionNames& kept)
{
    const auto text = fileText(bytes);
    if (!text)
        return {IniReadStatus::NotText, {}};
    auto parsed = parseSections(*text, kept);
    if (!parsed)
        return {IniReadStatus::TooManyEntries, {}};
    IniFileRead read{IniReadStatus::Read, {}};
    read.contents.sections_ = std::move(parsed->sections);
    read.contents.hasAnySection_ = parsed->anySection;
    read.contents.sectionNames_ = std::move(parsed->order);
    read.contents.repeatedSections_ = std::move(parsed->repeated);
    return read;
}

IniFile IniFile::parse(std::string_view bytes, const IniSectionNames& kept)
{
    return examine(bytes, kept).contents;
}

std::string iniReadProblem(IniReadStatus status, std::size_t maxBytes)
{
    switch (status) {
    case IniReadStatus::Read:
        return {};
    case IniReadStatus::Missing:
        return "the file does not exist";
    case IniReadStatus::Unreadable:
        return "the file cannot be read";
    case IniReadStatus::TooLarge:
        return "the file is larger than "
            + (maxBytes % MiB == 0 ? std::to_string(maxBytes / MiB) + " MiB"
                                   : std::to_string(maxBytes / 1024) + " KiB");
    case IniReadStatus::TooManyEntries:
        return "the file holds more than " + std::to_string(MaxIniEntries) + " sections and keys";
    case IniReadStatus::NotText:
        return "the file is not text (UTF-8, Windows-1252, or UTF-16 with its byte-order mark)";
    }
    return {};
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const auto foundSection = sections_.find(asciiLower(trimBlanks(section)));
    if (foundSection == sections_.end())
        return std::nullopt;
    const auto foundKey = foundSection->second.find(asciiLower(trimBlanks(key)));
    if (foundKey == foundSection->second.end())
        return std::nullopt;
    return foundKey->second;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    auto text = value(section, key);
    return text ? std::move(*text) : std::string(defaultValue);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto text = value(section, key);
    if (!text)
        return defaultValue;
    return parseIniInteger(*text).value_or(defaultValue);
}

bool IniFile::hasSection(std::string_view section) const
{
    return sections_.contains(asciiLower(trimBlanks(section)));
}

// ---------------------------------------------------------------- integers

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::optional<int> digitValue(char c, int base)
{
    int value = base;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? std::optional(value) : std::nullopt;
}

// The magnitude of a digit string, nullopt when empty, malformed or beyond 2^31.
std::optional<std::int64_t> magnitudeOf(std::string_view digits, int base)
{
    constexpr std::int64_t limit = std::int64_t{1} << 31;
    if (digits.empty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (char c : digits) {
        const auto digit = digitValue(c, base);
        if (!digit)
            return std::nullopt;
        magnitude = magnitude * base + *digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return magnitude;
}

}  // namespace

std::optional<int> parseIniInteger(std::string_view text)
{
    std::string_view body = text;
    const bool negative = body.starts_with('-');
    if (negative || body.starts_with('+'))
        body.remove_prefix(1);
    std::optional<std::int64_t> magnitude;
    if (body.starts_with('$')) {
        magnitude = magnitudeOf(body.substr(1), 16);
    } else if (text.size() > 2 && (body.starts_with("0x") || body.starts_with("0X"))) {
        magnitude = magnitudeOf(body.substr(2), 16);
    } else {
        magnitude = magnitudeOf(body, 10);
    }
    if (!magnitude)
        return std::nullopt;
    const std::int64_t value = negative ? -*magnitude : *magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

// ---------------------------------------------------------------- writing

namespace {

// Where one key of one section lies in a file's bytes, found by the rules of the reader.
struct KeyPlace {
    bool sectionFound = false;
    bool keyFound = false;
    LineSpan keyLine;  // keyFound: the line of the key
    std::size_t valueBegin = 0;  // keyFound: file offsets of the value text to replace
    std::size_t valueEnd = 0;
    LineSpan lastLine;  // sectionFound: the header or the last entry of the section
};

class KeyFinder {
public:
    KeyFinder(std::string_view bytes, bool legacyEncoding, std::string_view section, std::string_view key)
        : bytes_(bytes)
        , legacy_(legacyEncoding)
        , section_(trimBlanks(section))
        , key_(trimBlanks(key))
    {
    }

    KeyPlace find()
    {
        forEachLine(bytes_, byteOrderMarkLength(bytes_), [this](const LineSpan& span) { visit(span); });
        return place_;
    }

private:
    enum class Where { Before, Inside, After };

    void visit(const LineSpan& span)
    {
        if (where_ == Where::After || place_.keyFound)
            return;
        const std::string_view lineText = bytes_.substr(span.begin, span.end - span.begin);
        const IniLine line = classifyLine(lineText);
        if (line.kind == LineKind::Section) {
            enterSection(span, line.name);
        } else if (line.kind == LineKind::Entry && where_ == Where::Inside) {
            place_.lastLine = span;
            if (sameName(line.name, key_)) {
                place_.keyFound = true;
                place_.keyLine = span;
                place_.valueBegin = span.begin + line.valueBegin;
                place_.valueEnd = span.begin + line.valueEnd;
            }
        }
    }

    void enterSection(const LineSpan& span, std::string_view name)
    {
        if (where_ == Where::Inside) {
            where_ = Where::After;
        } else if (sameName(name, section_)) {
            where_ = Where::Inside;
            place_.sectionFound = true;
            place_.lastLine = span;
        }
    }

    bool sameName(std::string_view fileName, std::string_view wanted) const
    {
        return legacy_ ? equalsIgnoringAsciiCase(windows1252ToUtf8(fileName), wanted)
                       : equalsIgnoringAsciiCase(fileName, wanted);
    }

    std::string_view bytes_;
    bool legacy_;
    std::string_view section_;
    std::string_view key_;
    Where where_ = Where::Before;
    KeyPlace place_;
};

std::string_view lineEndStyle(std::string_view bytes)
{
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos || bytes[end] == '\n')
        return "\n";
    return end + 1 < bytes.size() && bytes[end + 1] == '\n' ? "\r\n" : "\r";
}

bool hasAny(std::string_view text, std::string_view characters)
{
    return text.find_first_of(characters) != std::string_view::npos;
}

// Texts that would break the line structure of the file, or that the reader
// would see differently (a key that reads as a comment or a header), are refused.
bool canBeWritten(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string_view trimmedKey = trimBlanks(key);
    return !hasAny(section, "\r\n]") && !hasAny(key, "\r\n=") && !hasAny(value, "\r\n") && !trimmedKey.empty()
        && trimmedKey.front() != ';' && trimmedKey.front() != '[' && isValidUtf8(section) && isValidUtf8(key)
        && isValidUtf8(value);
}

// The texts to put into the file, in the file's own encoding.
struct NewTexts {
    std::string section;
    std::string key;
    std::string value;
};

std::optional<NewTexts> encodedAsWindows1252(std::string_view section, std::string_view key, std::string_view value)
{
    auto encodedSection = utf8ToWindows1252(section);
    auto encodedKey = utf8ToWindows1252(key);
    auto encodedValue = utf8ToWindows1252(value);
    if (!encodedSection || !encodedKey || !encodedValue)
        return std::nullopt;
    return NewTexts{std::move(*encodedSection), std::move(*encodedKey), std::move(*encodedValue)};
}

std::string withLineEndAtEnd(std::string bytes, std::string_view lineEnd)
{
    if (!bytes.empty() && !isLineEnd(bytes.back()))
        bytes += lineEnd;
    return bytes;
}

std::string editedBytes(
    std::string bytes, bool legacy, std::string_view section, std::string_view key, const NewTexts& texts)
{
    const KeyPlace place = KeyFinder(bytes, legacy, section, key).find();
    const std::string_view lineEnd = lineEndStyle(bytes);
    const std::string entry = texts.key + "=" + texts.value;
    if (place.keyFound) {
        // A value with blanks of its own (a formatted number) takes the place of
        // the blanks before the old value too, or every save would widen the gap.
        std::size_t begin = place.valueBegin;
        if (!texts.value.empty() && isBlank(texts.value.front()))
            while (begin > place.keyLine.begin && isBlank(bytes[begin - 1]))
                --begin;
        bytes.replace(begin, place.valueEnd - begin, texts.value);
        return bytes;
    }
    if (place.sectionFound) {
        const LineSpan& after = place.lastLine;
        const std::string inserted = after.hasLineEnd() ? entry + std::string(lineEnd) : std::string(lineEnd) + entry;
        bytes.insert(after.next, inserted);
        return bytes;
    }
    std::string result = withLineEndAtEnd(std::move(bytes), lineEnd);
    result += "[" + texts.section + "]";
    result += lineEnd;
    result += entry;
    result += lineEnd;
    return result;
}

// ---- several changes in one write

bool needsQuotes(std::string_view value)
{
    return trimBlanks(value).size() != value.size() || withoutMatchingQuotes(value).size() != value.size();
}

std::string valueText(std::string_view value, IniQuoting quoting)
{
    if (quoting == IniQuoting::Exact && needsQuotes(value))
        return quotedName(value);
    return std::string(value);
}

std::string labelOf(const IniChange& change)
{
    return change.label.empty() ? change.key : change.label;
}

std::optional<std::string> changeProblem(const IniChange& change)
{
    if (!canBeWritten(change.section, change.key, {}))
        return "the key " + labelOf(change) + " cannot be named in a file";
    if (!change.value)
        return std::nullopt;
    if (auto problem = iniValueProblem(*change.value, change.quoting))
        return labelOf(change) + " " + *problem;
    return std::nullopt;
}

// The texts of a change in the file's encoding; nullopt when it cannot hold them.
std::optional<NewTexts> textsFor(const IniChange& change, bool legacy)
{
    std::string value = valueText(change.value.value_or(""), change.quoting);
    if (!legacy)
        return NewTexts{change.section, change.key, std::move(value)};
    return encodedAsWindows1252(change.section, change.key, value);
}

// Removes the key's line and those of its duplicates, which would read in its place.
std::string withoutKey(std::string bytes, bool legacy, std::string_view section, std::string_view key)
{
    for (;;) {
        const KeyPlace place = KeyFinder(bytes, legacy, section, key).find();
        if (!place.keyFound)
            return bytes;
        bytes.erase(place.keyLine.begin, place.keyLine.next - place.keyLine.begin);
    }
}

// What the reader is to see after the change.
void applyToEntries(IniFile::Entries& entries, const IniChange& change)
{
    const std::string section = asciiLower(trimBlanks(change.section));
    const std::string key = asciiLower(trimBlanks(change.key));
    if (change.value) {
        entries[section][key] = storedValue(trimBlanks(valueText(*change.value, change.quoting)));
    } else if (const auto found = entries.find(section); found != entries.end()) {
        found->second.erase(key);
    }
}

}  // namespace

std::optional<std::string> iniValueProblem(std::string_view value, IniQuoting quoting)
{
    if (hasAny(value, "\r\n"))
        return "holds a line break";
    if (!isValidUtf8(value))
        return "is no valid UTF-8 text";
    const std::string_view kept = quoting == IniQuoting::Exact ? value : trimBlanks(value);
    if (kept.size() > maxValueCharacters && utf8Length(kept) > maxValueCharacters)
        return "is longer than " + std::to_string(maxValueCharacters) + " characters";
    return std::nullopt;
}

namespace {

// The sections the changes touch, each once: the only ones an edit must read.
IniSectionNames sectionsOf(const std::vector<IniChange>& changes)
{
    IniSectionNames names;
    for (const IniChange& change : changes)
        names.push_back(asciiLower(trimBlanks(change.section)));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool readsAsWindows1252(std::string_view bytes)
{
    return !isValidUtf8(bytes.substr(byteOrderMarkLength(bytes)));
}

Result<std::string> editedText(std::string bytes, const std::vector<IniChange>& changes)
{
    const bool legacy = readsAsWindows1252(bytes);
    const IniSectionNames kept = sectionsOf(changes);
    IniFileRead before = IniFile::examine(bytes, kept);
    if (before.status != IniReadStatus::Read)
        return Failure(iniReadProblem(before.status));
    IniFile::Entries expected = before.contents.entries();
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const IniChange& change = changes[i];
        if (auto problem = changeProblem(change))
            return Failure(std::move(*problem));
        if (change.value) {
            const auto texts = textsFor(change, legacy);
            if (!texts) {
                return Failure("the file is written in Windows-1252, which cannot hold " + labelOf(change) + " (\""
                    + *change.value + "\")");
            }
            bytes = editedBytes(std::move(bytes), legacy, change.section, change.key, *texts);
        } else {
            bytes = withoutKey(std::move(bytes), legacy, change.section, change.key);
        }
        applyToEntries(expected, change);
    }
    // A last guard: a Windows-1252 file whose only other byte above 127 went
    // with a changed value would now read as UTF-8, and its other keys
    // differently, unless no byte above 127 is left at all.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0; });
    if (readsAsWindows1252(bytes) != legacy && !ascii)
        return Failure("the change would alter how the rest of the file reads (its encoding)");
    if (IniFile::parse(bytes, kept).entries() != expected)
        return Failure("the change would alter how other keys of the file read");
    return bytes;
}

// A UTF-16 file is edited as its UTF-8 text and written back in its own order.
Result<std::string> editedUtf16(std::string_view bytes, Utf16Order order, const std::vector<IniChange>& changes)
{
    auto text = utf16ToUtf8(bytes.substr(utf16Mark(order).size()), order);
    if (!text || holdsNul(*text))
        return Failure(iniReadProblem(IniReadStatus::NotText));
    Result<std::string> edited = editedText(std::move(*text), changes);
    if (!edited)
        return edited;
    return std::string(utf16Mark(order)) + utf8ToUtf16(edited.value(), order);
}

}  // namespace

Result<std::string> editIniBytes(std::string bytes, const std::vector<IniChange>& changes)
{
    if (changes.empty())
        return bytes;
    if (const auto order = utf16ByteOrder(bytes))
        return editedUtf16(bytes, *order, changes);
    if (holdsNul(bytes))
        return Failure(iniReadProblem(IniReadStatus::NotText));
    return editedText(std::move(bytes), changes);
}

Result<FileStamp> writeIniChanges(
    const fs::path& target, const std::vector<IniChange>& changes, const std::optional<fs::path>& source)
{
    if (const auto reason = notAFileReason(target))
        return Failure(cannotWrite(target, *reason));
    const fs::path& from = source ? *source : target;
    FileBytes file = readFileBytes(from, MaxIniFileBytes);
    // A file that cannot be read whole is not rewritten: its unread part would be lost.
    if (file.status != IniReadStatus::Read && file.status != IniReadStatus::Missing) {
        const std::string which = source ? quotedName(from.string()) : "the file";
        if (const auto reason = unreadableReason(from))
            return Failure(cannotWrite(target, source ? which + ": " + *reason : *reason));
        return Failure(cannotWrite(target, which + " cannot be read whole, and what it holds would be lost"));
    }
    const Result<std::string> edited = editIniBytes(std::move(file.bytes), changes);
    if (!edited)
        return Failure(cannotWrite(target, edited.problem()));
    return replaceFileContents(target, edited.value());
}

Result<FileStamp> writeIniString(
    const fs::path& path, std::string_view section, std::string_view key, std::string_view value)
{
    return writeIniChanges(
        path, {{std::string(section), std::string(key), std::string(value), IniQuoting::AsWritten, {}}});
}

}  // namespace tintora
