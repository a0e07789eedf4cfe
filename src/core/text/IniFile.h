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

namespace tintora {

// Formulas and materials are a few kilobytes; a file beyond this is no file
// of ours, and reading it would only cost time and memory.
constexpr std::size_t MaxIniFileBytes = std::size_t{16} * 1024 * 1024;
// A formula has about a hundred keys, its notes and test specs a few
// thousand at most; a file with more sections and keys than this is no file
// of ours either, and is not kept (16 MiB of short keys would take seconds
// and hundreds of megabytes to index).
constexpr std::size_t MaxIniEntries = 65536;

enum class IniReadStatus { Read, Missing, Unreadable, TooLarge };

class IniFile;
struct IniFileRead;

class IniFile {
public:
    // A missing or unreadable file, or one larger than maxBytes or with more
    // than MaxIniEntries sections and keys (TooLarge), gives an empty
    // snapshot (every key its default).
    static IniFile read(const std::filesystem::path& path, std::size_t maxBytes = MaxIniFileBytes);
    // The same, telling why nothing was read. Only a regular file is opened:
    // a folder, a device or a pipe is Unreadable without being opened.
    static IniFileRead load(const std::filesystem::path& path, std::size_t maxBytes = MaxIniFileBytes);
    // Parses file bytes; text that is not valid UTF-8 is read as Windows-1252.
    // Empty for more than MaxIniEntries sections and keys.
    static IniFile parse(std::string_view bytes);

    // The value (UTF-8) when the key exists, "k=" giving an empty text.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool hasSection(std::string_view section) const;

    // Every key as read: (lower-case section, lower-case key) -> value, so
    // that two readings of a file can be compared.
    using Entries = std::map<std::pair<std::string, std::string>, std::string>;
    Entries entries() const;

private:
    static std::optional<IniFile> tryParse(std::string_view bytes);

    using Keys = std::unordered_map<std::string, std::string>;  // lower-case key -> value
    std::unordered_map<std::string, Keys> sections_;            // lower-case section -> keys
};

struct IniFileRead {
    IniReadStatus status = IniReadStatus::Missing;
    IniFile contents;  // empty unless status is Read
};

// Integer text: decimal (010 is 10); hexadecimal after "$", or after "0x"/"0X"
// when the text is longer than two characters; an optional sign before either.
// Anything else, or a value outside 32 bits, gives nullopt.
std::optional<int> parseIniInteger(std::string_view text);

// Writes one value: replaces the value of an existing key in place and keeps
// every other byte of the file; a new key goes after the last entry of its
// section, a new section at the end; a missing file is created.
// Refused (false) when the file cannot be written, is larger than
// MaxIniFileBytes, or when the write would change how any other key of the
// file reads.
bool writeIniString(const std::filesystem::path& path, std::string_view section,
                    std::string_view key, std::string_view value);

}  // namespace tintora
