// The number-text rule and fixed formatting. Any text reads as a finite number
// exactly when it follows the rule (and is not too large to hold); a formatted
// value never shows "nan", "inf" or a negative zero, and reads back within
// half a unit of its last decimal.
#include "core/text/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t digitsFrom(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && isDigit(s[pos]))
        ++pos;
    return pos;
}

// Leading blanks; optional sign; digits, optionally "." and digits (a bare
// point only at the very end); optional exponent; nothing after.
bool followsTheRule(std::string_view s)
{
    std::size_t pos = 0;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        ++pos;
    if (pos == s.size())
        return true;
    if (s[pos] == '+' || s[pos] == '-')
        ++pos;
    const std::size_t digits = pos;
    pos = digitsFrom(s, pos);
    if (pos == digits)
        return false;
    if (pos < s.size() && s[pos] == '.') {
        if (pos + 1 == s.size())
            return true;
        const std::size_t fraction = pos + 1;
        pos = digitsFrom(s, fraction);
        if (pos == fraction)
            return false;
    }
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        ++pos;
        if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
            ++pos;
        const std::size_t exponent = pos;
        pos = digitsFrom(s, pos);
        if (pos == exponent)
            return false;
    }
    return pos == s.size();
}

void checkText(std::string_view text)
{
    const auto read = tintora::parseNumberText(text);
    if (read && !std::isfinite(*read))
        std::abort();
    if (read.has_value() != followsTheRule(text)) {
        // The one other reason to refuse a text of the rule: it overflows.
        const std::string c(text);
        const double converted = std::strtod(c.c_str(), nullptr);
        if (read || std::isfinite(converted))
            std::abort();
    }
    if (read && *read != 0 && text.size() < 300) {
        // The same value as the C library's correctly rounded reading.
        std::string c(text);
        if (!c.empty() && c.back() == '.')
            c.pop_back();
        if (*read != std::strtod(c.c_str(), nullptr))
            std::abort();
    }
}

void checkFormat(double value, int decimals, int width)
{
    const std::string text = tintora::formatFixed(value, decimals, width);
    if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos)
        std::abort();
    if (text.size() < static_cast<std::size_t>(width))
        std::abort();
    const auto read = tintora::parseNumberText(text);
    if (!read)
        std::abort();
    if (*read == 0 && text.find('-') != std::string::npos)
        std::abort();  // "-0.000"
    const double expected = std::isfinite(value) ? value : 0.0;
    const double halfUnit = 0.5 * std::pow(10.0, -decimals);
    // The text is the value rounded to `decimals`; reading it back adds at most
    // half an ulp of the value read.
    const double slack = std::abs(*read) * std::numeric_limits<double>::epsilon();
    if (!(std::abs(*read - expected) <= halfUnit + slack))
        std::abort();
    if (decimals == 3
        && tintora::roundToThreeDecimals(value) != tintora::numberFromText(tintora::formatThreeDecimals(value)))
        std::abort();
}

}  // namespace

// Input: one byte of decimals, one of width, eight of a double, then a text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 10)
        return 0;
    double value = 0;
    std::memcpy(&value, data + 2, sizeof value);
    checkFormat(value, data[0] % 10, data[1] % 24);
    checkText(std::string_view(reinterpret_cast<const char*>(data + 10), size - 10));
    return 0;
}
