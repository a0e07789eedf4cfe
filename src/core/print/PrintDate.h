#pragma once
// The date on the printout, written in the system's short date form. The
// window and tintora-report both write it here, so both print the same text.
#include "core/text/CalendarDate.h"

#include <string>
#include <string_view>

namespace tintora {

// The date in a date pattern of the form the toolkit's locales give:
// d / dd the day, M / MM the month, MMM / MMMM its English name (the C
// locale's form names the month), yy / yyyy the year; text in single quotes
// ('' for a quote) and every other character stand as they are.
std::string formatShortDate(CalendarDate date, std::string_view pattern);

}  // namespace tintora
