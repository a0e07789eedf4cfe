// Any bytes as an INI file: the reader finds exactly what a small model of
// the stated rules finds — names without regard to ASCII case and trimmed of
// blanks, the first of duplicate sections and keys, ";" comments, CR LF, LF
// and CR line ends, a UTF-8 byte-order mark skipped, Windows-1252 for text
// that is not UTF-8, one pair of quotes removed, values cut at 1023 characters.
#include "FlatEntries.h"
#include "core/text/IniFile.h"
#include "core/text/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace {

using tintora::IniFile;

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string modelValue(std::string_view raw)
{
    std::string_view v = trimmed(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    // 1023 code points of valid UTF-8: count the bytes that start one.
    std::size_t points = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if ((static_cast<unsigned char>(v[i]) & 0xC0) == 0x80)
            continue;
        if (points++ == 1023)
            return std::string(v.substr(0, i));
    }
    return std::string(v);
}

tintora::fuzz::FlatEntries model(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::string text = tintora::decodeFileText(bytes);
    tintora::fuzz::FlatEntries entries;
    std::set<std::string> sections;
    std::string section;
    bool counts = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::string_view line = std::string_view(text).substr(pos, end - pos);
        pos = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
        const std::string_view t = trimmed(line);
        if (t.empty() || t.front() == ';')
            continue;
        if (t.front() == '[') {
            const std::size_t close = t.find(']', 1);
            section = lower(trimmed(t.substr(1, close == std::string_view::npos ? close : close - 1)));
            counts = sections.insert(section).second;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !counts)
            continue;
        const std::string key = lower(trimmed(line.substr(0, equals)));
        if (!key.empty())
            entries.emplace(std::pair(section, key), modelValue(line.substr(equals + 1)));
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const IniFile ini = IniFile::parse(bytes);
    const tintora::fuzz::FlatEntries read = tintora::fuzz::flatEntries(ini);
    if (read != model(bytes))
        std::abort();
    for (const auto& [name, value] : read) {
        if (!tintora::isValidUtf8(value) || tintora::utf8Length(value) > 1023)
            std::abort();
        // Lookups find what was read, whatever the case and blanks of the asked names.
        if (ini.value(" " + name.first + "\t", name.second) != value)
            std::abort();
        // An integer key reads as the integer rule has it, or as the default.
        const auto integer = tintora::parseIniInteger(value);
        if (ini.readInteger(name.first, name.second, -7) != integer.value_or(-7))
            std::abort();
    }
    return 0;
}
