#include "core/print/PrintDate.h"

#include <gtest/gtest.h>

namespace tintora {
namespace {

TEST(PrintDateTest, WritesTheDateInTheGivenShortForm)
{
    struct Case {
        const char* pattern;
        CalendarDate date;
        const char* expected;
    };
    const Case cases[] = {
        {"M/d/yy", {2026, 12, 7}, "12/7/26"},
        {"dd.MM.yyyy", {2026, 3, 5}, "05.03.2026"},
        {"yy/M/d", {2009, 1, 31}, "09/1/31"},
        {"d MMM yyyy", {2026, 12, 7}, "7 Dec 2026"},
        {"d MMMM yyyy", {2024, 9, 1}, "1 September 2024"},
        {"d.MM.yy 'г'.", {2026, 2, 8}, "8.02.26 г."},
        {"'d''M' d", {2026, 2, 8}, "d'M 8"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatShortDate(c.date, c.pattern), c.expected) << c.pattern;
}

}  // namespace
}  // namespace tintora
