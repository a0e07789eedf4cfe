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

// UTF-16, which Windows editors write as "Unicode", is text too when it
// starts with its byte-order mark: FF FE (little-endian) or FE FF.
enum class Utf16Order { LittleEndian, BigEndian };
// The order the mark at the start of bytes names; nullopt without one.
std::optional<Utf16Order> utf16ByteOrder(std::string_view bytes);
// The UTF-8 form of UTF-16 code units (the bytes after the mark); nullopt for
// an odd number of bytes or an unpaired surrogate.
std::optional<std::string> utf16ToUtf8(std::string_view units, Utf16Order order);
// The UTF-16 code units of a valid UTF-8 text, without a mark.
std::string utf8ToUtf16(std::string_view text, Utf16Order order);
// The byte-order mark of an order.
std::string_view utf16Mark(Utf16Order order);

// Appends the UTF-8 form of a Unicode code point (not a surrogate, at most U+10FFFF).
void appendUtf8(std::string& text, char32_t codePoint);

// Number of code points of a valid UTF-8 text, and its first `count` code points.
std::size_t utf8Length(std::string_view text);
std::string utf8Prefix(std::string_view text, std::size_t count);

}  // namespace tintora
