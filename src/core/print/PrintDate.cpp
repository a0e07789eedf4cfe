#include "core/print/PrintDate.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace tintora {

namespace {

constexpr std::array<std::string_view, 12> MonthNames{"January", "February", "March", "April", "May", "June", "July",
    "August", "September", "October", "November", "December"};

std::string padded(int value, std::size_t width)
{
    std::string digits = std::to_string(std::abs(value));
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

std::string_view monthName(int month)
{
    return month >= 1 && month <= 12 ? MonthNames[static_cast<std::size_t>(month - 1)] : std::string_view();
}

// One field: `letter` repeated `count` times. Returns how many letters it used
// (0 when the run is no field) and appends its text.
std::size_t appendField(std::string& out, char letter, std::size_t count, CalendarDate date)
{
    switch (letter) {
    case 'd':
        if (count > 2)
            return 0;
        out += padded(date.day, count);
        return count;
    case 'M':
        count = std::min<std::size_t>(count, 4);
        if (count <= 2)
            out += padded(date.month, count);
        else
            out += count == 3 ? monthName(date.month).substr(0, 3) : monthName(date.month);
        return count;
    case 'y':
        if (count >= 4) {
            out += padded(date.year, 4);
            return 4;
        }
        if (count >= 2) {
            out += padded(std::abs(date.year) % 100, 2);
            return 2;
        }
        return 0;
    default:
        return 0;
    }
}

// Text from the quote at `open` to its closing quote, '' standing for one
// quote; returns the index after the closing quote.
std::size_t appendQuoted(std::string& out, std::string_view pattern, std::size_t open)
{
    std::size_t i = open + 1;
    if (i < pattern.size() && pattern[i] == '\'') {
        out += '\'';
        return i + 1;
    }
    while (i < pattern.size()) {
        if (pattern[i] != '\'') {
            out += pattern[i++];
        } else if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
            out += '\'';
            i += 2;
        } else {
            return i + 1;
        }
    }
    return i;
}

}  // namespace

std::string formatShortDate(CalendarDate date, std::string_view pattern)
{
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'') {
            i = appendQuoted(out, pattern, i);
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        const std::size_t used = appendField(out, c, run, date);
        if (used == 0)
            out.append(run, c);
        i += used == 0 ? run : used;
    }
    return out;
}

}  // namespace tintora
