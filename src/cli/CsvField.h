#pragma once
// One field of a CSV line (RFC 4180).
#include <string>
#include <string_view>

namespace tintora::report {

// Quoted, with its quotes doubled, when it holds a comma, a quote or a line break.
inline std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace tintora::report
