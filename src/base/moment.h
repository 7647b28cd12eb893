// A moment of local time to the minute, as the settings file stores the last
// closing and as the reminder check counts minutes.
#pragma once

namespace tikkano {

// All zeros: never (no closing recorded).
struct Moment {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

}  // namespace tikkano
