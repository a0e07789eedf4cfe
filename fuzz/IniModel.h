#pragma once
// A small model of the INI rules the README states, written apart from the
// reader it checks: blanks, ASCII case, one pair of quotes, the 1023-character
// cut; and every key of a reading as one (section, key) -> value map, so that
// readings and models compare key by key.
#include "core/text/IniFile.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace tintora::fuzz {

inline std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

inline std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// What a value reads as: blanks and one pair of quotes gone, 1023 code points.
inline std::string modelValue(std::string_view raw)
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

using FlatEntries = std::map<std::pair<std::string, std::string>, std::string>;

inline FlatEntries flatEntries(const IniFile& ini)
{
    FlatEntries flat;
    for (const auto& [section, keys] : ini.entries())
        for (const auto& [key, value] : keys)
            flat.emplace(std::pair(section, key), value);
    return flat;
}

}  // namespace tintora::fuzz
