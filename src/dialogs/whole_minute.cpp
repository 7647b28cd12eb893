#include "dialogs/whole_minute.h"

#include "dates/calendar_math.h"

namespace tikkano {

std::optional<ClockReading> wholeMinute(const ClockReading& now) {
    if (now.second == 0) return std::nullopt;
    ClockReading rounded = now;
    rounded.second = 0;
    rounded.millisecond = 0;
    if (now.second <= 30) return rounded;

    if (++rounded.minute < 60) return rounded;
    rounded.minute = 0;
    if (++rounded.hour < 24) return rounded;
    rounded.hour = 0;
    rounded.weekday = (rounded.weekday + 1) % 7;
    if (++rounded.day <= monthLength(rounded.month, rounded.year)) return rounded;
    rounded.day = 1;
    if (++rounded.month <= 12) return rounded;
    rounded.month = 1;
    ++rounded.year;
    return rounded;
}

}  // namespace tikkano
