#pragma once
// Text in material and formula files is bytes: valid UTF-8 is kept as it is,
// anything else is read as Windows-1252 and converted to UTF-8.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

bool isValidUtf8(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);
// UTF-8 when valid, Windows-1252 otherwise; the result is always valid UTF-8.
std::string decodeFileText(std::string_view bytes);
// The Windows-1252 bytes of a UTF-8 text; nullopt when the text is not valid
// UTF-8 or holds a character the code page lacks.
std::optional<std::string> utf8ToWindows1252(std::string_view text);

// Appends the UTF-8 form of a Unicode code point (not a surrogate, at most U+10FFFF).
void appendUtf8(std::string& text, char32_t codePoint);

// Number of code points of a valid UTF-8 text, and its first `count` code points.
std::size_t utf8Length(std::string_view text);
std::string utf8Prefix(std::string_view text, std::size_t count);

}  // namespace tintora
