#pragma once
// The one rule by which every text (cell, file value, clipboard weight) becomes
// a number, and the fixed-point forms in which numbers are written back.
// Both always use a point as decimal separator, whatever the process locale.
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

// Leading blanks; optional sign; digits, optionally "." and digits (a point
// with no digit after it ends the number); optional exponent; nothing after.
// Empty (or all blanks) reads as 0. Returns nullopt for a malformed text and
// for a value that is not finite (1e999).
std::optional<double> parseNumberText(std::string_view text);

// The number-text rule as the sheet and the files use it: a malformed text
// counts as 0, silently.
double numberFromText(std::string_view text);

// printf-style fixed formatting, rounded exactly as printf rounds, with a point.
// A value that rounds to zero is written without a minus sign; a value that is
// not finite is written as 0.
std::string formatFixed(double value, int decimals, int minWidth = 0);

// The name between double quotes, as messages show a file or a code. (Built
// by appending: GCC 12 at -O3 takes a literal prepended to a string for an
// overflow it is not.)
std::string quotedName(std::string_view name);

// A figure in a printout column: right-aligned in minWidth characters (as
// formatFixed); one that needs more than the column's `room` fills the room
// with "*" (a spreadsheet's ####), so that a figure 300 digits wide never
// pushes the page aside.
std::string formatField(double value, int decimals, int minWidth, int room);

inline std::string formatCell(double v)
{
    return formatFixed(v, 3, 8);
}  // "%8.3f"
inline std::string formatPartner(double v)
{
    return formatFixed(v, 2);
}  // "%f"
inline std::string formatThreeDecimals(double v)
{
    return formatFixed(v, 3);
}  // "%.3f"

// The shortest text that the number-text rule reads back as exactly this
// value (an exponent for very large or small values: 1e-05); 0 for a value
// that is not finite.
std::string formatRoundTrip(double value);

// The value as a box with three decimals shows it (and gives it back).
double roundToThreeDecimals(double value);

// The first character in upper case, the rest in lower case; only the ASCII
// letters a-z and A-Z change case.
std::string fCase(std::string_view text);

// The text without leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

std::string asciiLower(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace tintora
