#pragma once
// Every key of an INI reading as one (section, key) -> value map, so that the
// fuzz targets can compare readings and models key by key.
#include "core/text/IniFile.h"

#include <map>
#include <string>
#include <utility>

namespace tintora::fuzz {

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
