#pragma once
// INI files with the private-profile rules that stored files rely on:
// section and key names compared without regard to ASCII case and trimmed of
// blanks; the value is the text after the first "=", trimmed of blanks, with
// one pair of matching surrounding quotes removed, cut at 1023 characters;
// the first of duplicate sections counts, and within it the first of
// duplicate keys; ";" lines are comments; CR LF, LF and a lone CR end a line;
// a UTF-8 byte-order mark is skipped.
//
// An IniFile is a snapshot: the file is read whole, closed, and parsed. Every
// operation takes a fresh snapshot; nothing is cached between operations.
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/text/Result.h"
#include "core/text/SafeWrite.h"

namespace tintora {

// Formulas and materials are a few kilobytes; a file beyond this is no file
// of ours, and reading it would only cost time and memory.
constexpr std::size_t MaxIniFileBytes = std::size_t{16} * 1024 * 1024;
// A formula has about a hundred keys, its notes and test specs a few
// thousand at most; a file with more sections and keys than this is no file
// of ours either, and is not kept (16 MiB of short keys would take seconds
// and hundreds of megabytes to index).
constexpr std::size_t MaxIniEntries = 65536;

// Why a file gave no reading: Missing, Unreadable (a folder, a device, a pipe,
// no read permission), TooLarge (more than its byte limit), TooManyEntries
// (more than MaxIniEntries sections and keys among those kept), NotText (a
// NUL byte, or UTF-16 that does not decode).
enum class IniReadStatus { Read, Missing, Unreadable, TooLarge, TooManyEntries, NotText };

// The sections a reader keeps, by name in any case; every section when empty.
// The others are passed over at the cost of reading their lines, so a file of
// ours followed by any number of foreign sections still reads.
using IniSectionNames = std::vector<std::string>;

class IniFile;
struct IniFileRead;

class IniFile {
public:
    // A missing or unreadable file, one larger than maxBytes, with more than
    // MaxIniEntries kept sections and keys, or not text, gives an empty
    // snapshot (every key its default).
    static IniFile read(
        const std::filesystem::path& path, std::size_t maxBytes = MaxIniFileBytes, const IniSectionNames& kept = {});
    // The same, telling why nothing was read. Only a regular file is opened:
    // a folder, a device or a pipe is Unreadable without being opened.
    static IniFileRead load(
        const std::filesystem::path& path, std::size_t maxBytes = MaxIniFileBytes, const IniSectionNames& kept = {});
    // Parses file bytes: UTF-16 after its byte-order mark; else UTF-8 when
    // valid, Windows-1252 otherwise. Empty when examine finds no reading.
    static IniFile parse(std::string_view bytes, const IniSectionNames& kept = {});
    // Parses file bytes, telling why they give no reading (TooManyEntries, NotText).
    static IniFileRead examine(std::string_view bytes, const IniSectionNames& kept = {});

    // The value (UTF-8) when the key exists, "k=" giving an empty text.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool hasSection(std::string_view section) const;
    // Whether the file has any section header at all, kept or not.
    bool hasAnySection() const { return hasAnySection_; }

    // Every kept section that counts with its keys and values, names in lower case.
    using Entries = std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;
    const Entries& entries() const { return sections_; }
    // The kept sections' names as written, in the order they first appear;
    // and those that appear again (the first of them counts).
    const std::vector<std::string>& sectionNames() const { return sectionNames_; }
    const std::vector<std::string>& repeatedSections() const { return repeatedSections_; }

private:
    using Keys = std::unordered_map<std::string, std::string>;  // lower-case key -> value
    std::unordered_map<std::string, Keys> sections_;  // lower-case section -> keys
    bool hasAnySection_ = false;
    std::vector<std::string> sectionNames_;
    std::vector<std::string> repeatedSections_;
};

struct IniFileRead {
    IniReadStatus status = IniReadStatus::Missing;
    IniFile contents;  // empty unless status is Read
};

// Why a file gave no reading, as the end of a sentence ("it is not a text
// file"); empty for Read.
std::string iniReadProblem(IniReadStatus status, std::size_t maxBytes = MaxIniFileBytes);

// Integer text: decimal (010 is 10); hexadecimal after "$", or after "0x"/"0X"
// when the text is longer than two characters; an optional sign before either.
// Anything else, or a value outside 32 bits, gives nullopt.
std::optional<int> parseIniInteger(std::string_view text);

// Writes one value: replaces the value of an existing key in place and keeps
// every other byte of the file; a new key goes after the last entry of its
// section, a new section at the end; a missing file is created.
// A failure says why the file cannot be written. The value goes in as given
// (IniQuoting::AsWritten).
Result<FileStamp> writeIniString(
    const std::filesystem::path& path, std::string_view section, std::string_view key, std::string_view value);

// How a value is put into a file.
enum class IniQuoting {
    // The value must read back as exactly this text: a value with blanks or
    // quotes at its ends, which the reader would strip, is written in quotes.
    Exact,
    // The text goes in as given; the reader drops its surrounding blanks
    // (numbers right-aligned in the "%8.3f" form).
    AsWritten,
};

// One change of a file: the key set to value, or removed with every duplicate
// of it in the section that counts when value is nullopt.
struct IniChange {
    std::string section;
    std::string key;
    std::optional<std::string> value = std::nullopt;
    IniQuoting quoting = IniQuoting::Exact;
    // What the value is, for messages ("the note in row 5"); the key when empty.
    std::string label = {};
};

// Why a value cannot be written so that it reads back as itself ("holds a
// line break"); nullopt when it can. A value is at most 1023 characters of
// UTF-8 text without line breaks. Encoding problems depend on the file and
// are found by editIniBytes.
std::optional<std::string> iniValueProblem(std::string_view value, IniQuoting quoting = IniQuoting::Exact);

// The file bytes with the changes made in order, every other byte kept; a
// failure says why nothing can be written ("the note in row 5 holds a line
// break": the first change refused is named by its label).
// A file read as Windows-1252 keeps that encoding: a text it cannot hold is
// refused rather than the file converted; a UTF-16 file stays UTF-16 with its
// byte-order mark; bytes that are no text are refused. The result is parsed again: when
// any key, changed or not, would read other than intended, nothing is written.
Result<std::string> editIniBytes(std::string bytes, const std::vector<IniChange>& changes);

// Makes all changes in one replacement of target (temporary file and rename).
// The bytes to change are those of source when given (a Save As carrying a
// file's other sections to a new name), else those of target; a missing file
// starts empty. Nothing on disk changes unless the whole write succeeds.
Result<FileStamp> writeIniChanges(const std::filesystem::path& target, const std::vector<IniChange>& changes,
    const std::optional<std::filesystem::path>& source = std::nullopt);

}  // namespace tintora
