// The keys of section "Alarm": one group of reminders per date, weekday, day
// of the month, day of the year, and one for every day.
#pragma once

#include <string>
#include <vector>

namespace tikkano {

inline constexpr const char* kAlarmSection = "Alarm";
inline constexpr const char* kEveryDayKey = "Day";

// A local date; weekday 0 is Sunday.
struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;
};

std::string dateKey(int day, int month, int year);   // "07082001"
std::string weekdayKey(int weekday);                 // "01" = Monday
std::string monthlyKey(int day);                     // "M15"
std::string yearlyKey(int day, int month);           // "Y0703"

// The keys whose groups apply to `date`, in the order today's list is built:
// date, weekday, [monthly, yearly,] every day.
std::vector<std::string> todayKeys(const LocalDate& date, bool monthlyAndYearly);

}  // namespace tikkano
