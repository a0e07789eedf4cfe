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
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tintora {

class IniFile {
public:
    // A missing or unreadable file gives an empty snapshot (every key its default).
    static IniFile read(const std::filesystem::path& path);
    // Parses file bytes; text that is not valid UTF-8 is read as Windows-1252.
    static IniFile parse(std::string_view bytes);

    // The value (UTF-8) when the key exists, "k=" giving an empty text.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool hasSection(std::string_view section) const;

private:
    using Keys = std::unordered_map<std::string, std::string>;  // lower-case key -> value
    std::unordered_map<std::string, Keys> sections_;            // lower-case section -> keys
};

// Integer text: decimal (010 is 10); hexadecimal after "$", or after "0x"/"0X"
// when the text is longer than two characters; an optional sign before either.
// Anything else, or a value outside 32 bits, gives nullopt.
std::optional<int> parseIniInteger(std::string_view text);

// Writes one value: replaces the value of an existing key in place and keeps
// every other byte of the file; a new key goes after the last entry of its
// section, a new section at the end; a missing file is created.
// Returns false when the file cannot be written.
bool writeIniString(const std::filesystem::path& path, std::string_view section,
                    std::string_view key, std::string_view value);

}  // namespace tintora
