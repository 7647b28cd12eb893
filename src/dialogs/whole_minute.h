// The whole-minute button's rounding of the clock: to the nearest whole
// minute, 30 seconds or less going back, a minute more carried on through the
// hour, the day, the month and the year.
#pragma once

#include <optional>

namespace tikkano {

struct ClockReading {
    int year = 0;
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int weekday = 0; // 0 Sunday .. 6 Saturday
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The time to set the clock to, or nothing when the seconds are already 0
// (the clock is then left alone, milliseconds and all).
std::optional<ClockReading> wholeMinute(const ClockReading& now);

}  // namespace tikkano
