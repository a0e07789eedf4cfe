// Any bytes as an INI file: the reader finds exactly what a small model of
// the stated rules finds — names without regard to ASCII case and trimmed of
// blanks, the first of duplicate sections and keys, ";" comments, CR LF, LF
// and CR line ends, a UTF-8 byte-order mark skipped, Windows-1252 for text
// that is not UTF-8, UTF-16 after its mark, nothing at all from bytes with a
// NUL, one pair of quotes removed, values cut at 1023 characters.
#include "IniModel.h"
#include "core/text/IniFile.h"
#include "core/text/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace {

using tintora::IniFile;
using namespace tintora::fuzz;

std::optional<std::string> modelText(std::string_view bytes)
{
    std::optional<std::string> text;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        const auto order = bytes[0] == '\xFF' ? tintora::Utf16Order::LittleEndian : tintora::Utf16Order::BigEndian;
        text = tintora::utf16ToUtf8(bytes.substr(2), order);
    } else {
        if (bytes.starts_with("\xEF\xBB\xBF"))
            bytes.remove_prefix(3);
        text = tintora::decodeFileText(bytes);
    }
    if (text && text->find('\0') != std::string::npos)
        return std::nullopt;
    return text;
}

FlatEntries model(std::string_view bytes)
{
    const std::optional<std::string> decoded = modelText(bytes);
    if (!decoded)
        return {};
    const std::string& text = *decoded;
    FlatEntries entries;
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
    const FlatEntries read = flatEntries(ini);
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
