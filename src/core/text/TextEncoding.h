#pragma once
// Text in material and formula files is bytes: valid UTF-8 is kept as it is,
// anything else is read as Windows-1252 and converted to UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace tintora {

bool isValidUtf8(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);
// UTF-8 when valid, Windows-1252 otherwise; the result is always valid UTF-8.
std::string decodeFileText(std::string_view bytes);

// Number of code points of a valid UTF-8 text, and its first `count` code points.
std::size_t utf8Length(std::string_view text);
std::string utf8Prefix(std::string_view text, std::size_t count);

}  // namespace tintora
