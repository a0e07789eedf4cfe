#include "core/text/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace tintora {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isAsciiUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}
bool isAsciiLower(char c)
{
    return c >= 'a' && c <= 'z';
}
char toAsciiLower(char c)
{
    return isAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}
char toAsciiUpper(char c)
{
    return isAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

// The parts of a text that follows the number-text rule, as offsets into it.
struct NumberSyntax {
    bool negative = false;
    std::size_t mantissaBegin = 0;  // first digit
    std::size_t integerEnd = 0;  // end of the digits before the point
    std::size_t fractionBegin = 0;  // first digit after the point (== fractionEnd when none)
    std::size_t fractionEnd = 0;
    std::size_t numberEnd = 0;  // end of what the converter reads (a bare trailing point excluded)
    long exponent = 0;  // saturated; only used to tell overflow from underflow
};

std::size_t skipDigits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

// Reads the exponent digits, saturating far beyond any double's range.
long saturatedExponent(std::string_view digits, bool negative)
{
    constexpr long limit = 100000;
    long value = 0;
    for (char c : digits)
        value = std::min(limit, value * 10 + (c - '0'));
    return negative ? -value : value;
}

// Checks the syntax of a non-blank number text starting at `pos`.
std::optional<NumberSyntax> scanNumber(std::string_view text, std::size_t pos)
{
    NumberSyntax syntax;
    if (text[pos] == '+' || text[pos] == '-') {
        syntax.negative = text[pos] == '-';
        ++pos;
    }
    syntax.mantissaBegin = pos;
    pos = skipDigits(text, pos);
    if (pos == syntax.mantissaBegin)
        return std::nullopt;  // at least one digit before any point
    syntax.integerEnd = pos;
    syntax.fractionBegin = syntax.fractionEnd = syntax.numberEnd = pos;
    if (pos < text.size() && text[pos] == '.') {
        syntax.fractionBegin = pos + 1;
        syntax.fractionEnd = skipDigits(text, pos + 1);
        if (syntax.fractionEnd == syntax.fractionBegin) {
            // A point with no digit after it ends the number.
            return pos + 1 == text.size() ? std::optional(syntax) : std::nullopt;
        }
        pos = syntax.numberEnd = syntax.fractionEnd;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            ++pos;
        }
        const std::size_t exponentBegin = pos;
        pos = skipDigits(text, pos);
        if (pos == exponentBegin)
            return std::nullopt;
        syntax.exponent = saturatedExponent(text.substr(exponentBegin, pos - exponentBegin), negativeExponent);
        syntax.numberEnd = pos;
    }
    if (pos != text.size())
        return std::nullopt;
    return syntax;
}

// The decimal order of magnitude of a non-zero number, used only when the
// converter reports a value out of range, to tell 1e999 from 1e-999.
long decimalOrder(std::string_view text, const NumberSyntax& syntax)
{
    for (std::size_t i = syntax.mantissaBegin; i < syntax.integerEnd; ++i) {
        if (text[i] != '0')
            return static_cast<long>(syntax.integerEnd - i - 1) + syntax.exponent;
    }
    for (std::size_t i = syntax.fractionBegin; i < syntax.fractionEnd; ++i) {
        if (text[i] != '0')
            return -static_cast<long>(i - syntax.fractionBegin + 1) + syntax.exponent;
    }
    return 0;
}

constexpr std::array<double, 16> PowersOfTen
    = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Texts of at most 15 digits without exponent, the form of every number the
// sheet writes: the digits make an exact integer and one correctly rounded
// division by an exact power of ten gives the nearest double, the same value
// the general converter finds, at a fraction of the cost.
std::optional<double> convertShort(std::string_view text, const NumberSyntax& syntax)
{
    const std::size_t integerDigits = syntax.integerEnd - syntax.mantissaBegin;
    const std::size_t fractionDigits = syntax.fractionEnd - syntax.fractionBegin;
    if (syntax.numberEnd != syntax.fractionEnd || integerDigits + fractionDigits > 15)
        return std::nullopt;
    std::int64_t digits = 0;
    for (std::size_t i = syntax.mantissaBegin; i < syntax.integerEnd; ++i)
        digits = digits * 10 + (text[i] - '0');
    for (std::size_t i = syntax.fractionBegin; i < syntax.fractionEnd; ++i)
        digits = digits * 10 + (text[i] - '0');
    const double magnitude = static_cast<double>(digits) / PowersOfTen[fractionDigits];
    return syntax.negative ? -magnitude : magnitude;
}

std::optional<double> convert(std::string_view text, const NumberSyntax& syntax)
{
    if (const auto quick = convertShort(text, syntax))
        return quick;
    const char* first = text.data() + syntax.mantissaBegin;
    const char* last = text.data() + syntax.numberEnd;
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (decimalOrder(text, syntax) >= 0)
            return std::nullopt;  // too large: not finite
        magnitude = 0.0;  // too small for a double: it is zero
    } else if (error != std::errc() || end != last || !std::isfinite(magnitude)) {
        return std::nullopt;
    }
    return syntax.negative ? -magnitude : magnitude;
}

// |value| x 10^precision rounded to an integer exactly as printf rounds the
// exact binary value, for values of at most 15 significant digits whose
// rounding is not a near tie: the scaled product then rounds the same way.
// Anything else gets nullopt and takes the general converter.
std::optional<std::int64_t> roundedDigits(double value, int precision)
{
    const double scaled = std::abs(value) * PowersOfTen[static_cast<std::size_t>(precision)];
    if (!(scaled < 1e15))
        return std::nullopt;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    // The product carries at most half an ulp of error, and an ulp is at most
    // scaled x epsilon; stay well clear of the tie.
    const double margin = 4 * std::numeric_limits<double>::epsilon() * std::max(scaled, 1.0);
    if (std::abs(fraction - 0.5) <= margin)
        return std::nullopt;
    return static_cast<std::int64_t>(fraction > 0.5 ? whole + 1 : whole);
}

// The text right-aligned in minWidth characters, built in one buffer.
std::optional<std::string> formatQuickly(double value, int precision, int minWidth)
{
    const auto rounded = roundedDigits(value, precision);
    if (!rounded)
        return std::nullopt;
    std::int64_t digits = *rounded;
    std::array<char, 48> buffer;
    char* end = buffer.data() + buffer.size();
    char* p = end;
    for (int i = 0; i < precision; ++i, digits /= 10)
        *--p = static_cast<char>('0' + digits % 10);
    if (precision > 0)
        *--p = '.';
    do {
        *--p = static_cast<char>('0' + digits % 10);
        digits /= 10;
    } while (digits != 0);
    if (value < 0 && *rounded != 0)
        *--p = '-';
    const char* first = buffer.data() + buffer.size() - std::min<std::size_t>(std::max(minWidth, 0), buffer.size());
    while (p > first)
        *--p = ' ';
    return std::string(p, end);
}

bool allZeroDigits(std::string_view formatted)
{
    return std::none_of(formatted.begin(), formatted.end(), [](char c) { return c >= '1' && c <= '9'; });
}

}  // namespace

std::optional<double> parseNumberText(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos == text.size())
        return 0.0;
    const auto syntax = scanNumber(text, pos);
    if (!syntax)
        return std::nullopt;
    return convert(text, *syntax);
}

double numberFromText(std::string_view text)
{
    return parseNumberText(text).value_or(0.0);
}

std::string formatFixed(double value, int decimals, int minWidth)
{
    const int precision = std::clamp(decimals, 0, 9);
    if (!std::isfinite(value))
        value = 0.0;
    if (auto quick = formatQuickly(value, precision, minWidth))
        return std::move(*quick);
    // Room for the 309 integer digits of the largest double, sign, point and decimals.
    std::array<char, 340> buffer;
    const auto result
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, precision);
    std::string text(buffer.data(), result.ptr);
    if (!text.empty() && text.front() == '-' && allZeroDigits(text))
        text.erase(0, 1);
    const auto width = static_cast<std::size_t>(std::max(minWidth, 0));
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

std::string quotedName(std::string_view name)
{
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '"';
    quoted += name;
    quoted += '"';
    return quoted;
}

std::string formatField(double value, int decimals, int minWidth, int room)
{
    std::string text = formatFixed(value, decimals, minWidth);
    const auto columns = static_cast<std::size_t>(std::max(room, 0));
    if (text.size() > columns)
        text.assign(columns, '*');
    return text;
}

std::string formatRoundTrip(double value)
{
    if (!std::isfinite(value) || value == 0)
        return "0";
    // The shortest round-trip form is at most 24 characters (-1.2345678901234567e-308).
    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

double roundToThreeDecimals(double value)
{
    // The same value as reading back the three-decimal text, without the text.
    if (const auto digits = roundedDigits(value, 3); digits && *digits != 0)
        return static_cast<double>(value < 0 ? -*digits : *digits) / 1000;
    return numberFromText(formatThreeDecimals(value));
}

std::string fCase(std::string_view text)
{
    std::string result = asciiLower(text);
    if (!result.empty())
        result.front() = toAsciiUpper(result.front());
    return result;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string asciiLower(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), toAsciiLower);
    return result;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return toAsciiLower(x) == toAsciiLower(y); });
}

}  // namespace tintora
