#include "core/text/TextEncoding.h"

#include <array>
#include <cstdint>

namespace tintora {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
// C0 and C1 would only start overlong forms, F5..FF only values above U+10FFFF.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The second byte carries the remaining limits: no overlong three- and
// four-byte forms, no surrogates (ED A0..ED BF), nothing above U+10FFFF.
bool secondByteAllowed(unsigned char lead, unsigned char second)
{
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return isContinuation(second);
    }
}

// Unicode code points of the bytes 0x80..0x9F. The five bytes the code page
// leaves undefined keep their own value, as C1 control characters.
constexpr std::array<std::uint16_t, 32> windows1252High = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

std::uint32_t windows1252CodePoint(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? windows1252High[byte - 0x80] : byte;
}

// The code point of the valid sequence starting at `pos`; advances `pos` past it.
std::uint32_t nextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = sequenceLength(lead);
    static constexpr std::array<unsigned char, 5> leadMask = {0, 0x7F, 0x1F, 0x0F, 0x07};
    std::uint32_t codePoint = lead & leadMask[length];
    for (std::size_t i = 1; i < length; ++i) {
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    }
    pos += length;
    return codePoint;
}

std::optional<char> windows1252Byte(std::uint32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < windows1252High.size(); ++i) {
        if (windows1252High[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

}  // namespace

bool isValidUtf8(std::string_view bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || bytes.size() - pos < length)
            return false;
        if (length > 1 && !secondByteAllowed(lead, static_cast<unsigned char>(bytes[pos + 1]))) {
            return false;
        }
        for (std::size_t i = 2; i < length; ++i) {
            if (!isContinuation(static_cast<unsigned char>(bytes[pos + i])))
                return false;
        }
        pos += length;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, windows1252CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string decodeFileText(std::string_view bytes)
{
    return isValidUtf8(bytes) ? std::string(bytes) : windows1252ToUtf8(bytes);
}

std::optional<std::string> utf8ToWindows1252(std::string_view text)
{
    if (!isValidUtf8(text))
        return std::nullopt;
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = windows1252Byte(nextCodePoint(text, pos));
        if (!byte)
            return std::nullopt;
        out += *byte;
    }
    return out;
}

namespace {

std::uint32_t unitAt(std::string_view units, std::size_t pos, Utf16Order order)
{
    const auto first = static_cast<unsigned char>(units[pos]);
    const auto second = static_cast<unsigned char>(units[pos + 1]);
    return order == Utf16Order::LittleEndian ? (std::uint32_t{second} << 8) | first
                                             : (std::uint32_t{first} << 8) | second;
}

void appendUnit(std::string& out, std::uint32_t unit, Utf16Order order)
{
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out += order == Utf16Order::LittleEndian ? low : high;
    out += order == Utf16Order::LittleEndian ? high : low;
}

bool isHighSurrogate(std::uint32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(std::uint32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::optional<Utf16Order> utf16ByteOrder(std::string_view bytes)
{
    if (bytes.starts_with(utf16Mark(Utf16Order::LittleEndian)))
        return Utf16Order::LittleEndian;
    if (bytes.starts_with(utf16Mark(Utf16Order::BigEndian)))
        return Utf16Order::BigEndian;
    return std::nullopt;
}

std::string_view utf16Mark(Utf16Order order)
{
    return order == Utf16Order::LittleEndian ? std::string_view("\xFF\xFE") : std::string_view("\xFE\xFF");
}

std::optional<std::string> utf16ToUtf8(std::string_view units, Utf16Order order)
{
    if (units.size() % 2 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(units.size());
    for (std::size_t pos = 0; pos < units.size(); pos += 2) {
        std::uint32_t codePoint = unitAt(units, pos, order);
        if (isHighSurrogate(codePoint) && pos + 2 < units.size() && isLowSurrogate(unitAt(units, pos + 2, order))) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (unitAt(units, pos + 2, order) - 0xDC00);
            pos += 2;
        } else if (isHighSurrogate(codePoint) || isLowSurrogate(codePoint)) {
            return std::nullopt;
        }
        appendUtf8(out, codePoint);
    }
    return out;
}

std::string utf8ToUtf16(std::string_view text, Utf16Order order)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        const std::uint32_t codePoint = nextCodePoint(text, pos);
        if (codePoint < 0x10000) {
            appendUnit(out, codePoint, order);
        } else {
            appendUnit(out, 0xD800 + ((codePoint - 0x10000) >> 10), order);
            appendUnit(out, 0xDC00 + ((codePoint - 0x10000) & 0x3FF), order);
        }
    }
    return out;
}

void appendUtf8(std::string& text, char32_t codePoint)
{
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::size_t utf8Length(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text) {
        if (!isContinuation(static_cast<unsigned char>(c)))
            ++count;
    }
    return count;
}

std::string utf8Prefix(std::string_view text, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (isContinuation(static_cast<unsigned char>(text[pos])))
            continue;
        if (seen == count)
            return std::string(text.substr(0, pos));
        ++seen;
    }
    return std::string(text);
}

}  // namespace tintora
