#include "dialogs/whole_minute.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tikkano {
namespace {

struct Case {
    ClockReading now;
    ClockReading expected;  // year 0: nothing to do
};

std::string show(const ClockReading& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d (%d) %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.weekday,
                  t.hour, t.minute, t.second, t.millisecond);
    return text;
}

TEST(WholeMinute, RoundsToTheNearestMinuteWithCarry) {
    const Case cases[] = {
        // Seconds 0: left alone, milliseconds included.
        {{2026, 5, 14, 4, 10, 15, 0, 0}, {}},
        {{2026, 5, 14, 4, 10, 15, 0, 999}, {}},
        // 1..30 seconds go back.
        {{2026, 5, 14, 4, 10, 15, 1, 0}, {2026, 5, 14, 4, 10, 15, 0, 0}},
        {{2026, 5, 14, 4, 10, 15, 30, 999}, {2026, 5, 14, 4, 10, 15, 0, 0}},
        // 31 and more go forward.
        {{2026, 5, 14, 4, 10, 15, 31, 0}, {2026, 5, 14, 4, 10, 16, 0, 0}},
        {{2026, 5, 14, 4, 10, 59, 59, 0}, {2026, 5, 14, 4, 11, 0, 0, 0}},
        {{2026, 5, 14, 4, 23, 59, 45, 0}, {2026, 5, 15, 5, 0, 0, 0, 0}},
        // The last day of a month, of February in and out of leap years, of the year.
        {{2026, 4, 30, 4, 23, 59, 31, 0}, {2026, 5, 1, 5, 0, 0, 0, 0}},
        {{2026, 1, 31, 6, 23, 59, 50, 0}, {2026, 2, 1, 0, 0, 0, 0, 0}},
        {{2024, 2, 28, 3, 23, 59, 45, 0}, {2024, 2, 29, 4, 0, 0, 0, 0}},
        {{2024, 2, 29, 4, 23, 59, 45, 0}, {2024, 3, 1, 5, 0, 0, 0, 0}},
        {{2026, 2, 28, 6, 23, 59, 45, 0}, {2026, 3, 1, 0, 0, 0, 0, 0}},
        {{2100, 2, 28, 0, 23, 59, 45, 0}, {2100, 3, 1, 1, 0, 0, 0, 0}},
        {{2000, 2, 28, 1, 23, 59, 45, 0}, {2000, 2, 29, 2, 0, 0, 0, 0}},
        {{2026, 12, 31, 4, 23, 59, 45, 0}, {2027, 1, 1, 5, 0, 0, 0, 0}},
        // Not at the end of the day: no carry into the day even on the last one.
        {{2026, 12, 31, 4, 22, 59, 45, 0}, {2026, 12, 31, 4, 23, 0, 0, 0}},
        {{2026, 12, 31, 4, 23, 59, 30, 500}, {2026, 12, 31, 4, 23, 59, 0, 0}},
    };
    for (const Case& c : cases) {
        const auto got = wholeMinute(c.now);
        if (c.expected.year == 0) {
            EXPECT_FALSE(got.has_value()) << show(c.now);
            continue;
        }
        ASSERT_TRUE(got.has_value()) << show(c.now);
        EXPECT_EQ(show(*got), show(c.expected)) << "from " << show(c.now);
    }
}

}  // namespace
}  // namespace tikkano
