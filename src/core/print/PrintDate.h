#pragma once
// The date on the printout, written in the system's short date form. The
// window and tintora-report both write it here, so both print the same text.
#include <string>
#include <string_view>

namespace tintora {

struct CalendarDate {
    int year = 1;
    int month = 1;  // 1 ... 12
    int day = 1;  // 1 ... 31
};

// The date in a date pattern of the form the toolkit's locales give:
// d / dd the day, M / MM the month, MMM / MMMM its English name (the C
// locale's form names the month), yy / yyyy the year; text in single quotes
// ('' for a quote) and every other character stand as they are.
std::string formatShortDate(CalendarDate date, std::string_view pattern);

}  // namespace tintora
