#include "scheduler/reminder_keys.h"

#include "base/text_format.h"

namespace tikkano {

std::string dateKey(int day, int month, int year) {
    char buffer[48];
    formatTo(buffer, sizeof buffer, "%02d%02d%04d", day, month, year);
    return buffer;
}

std::string weekdayKey(int weekday) {
    char buffer[16];
    formatTo(buffer, sizeof buffer, "%02d", weekday);
    return buffer;
}

std::string monthlyKey(int day) {
    char buffer[16];
    formatTo(buffer, sizeof buffer, "M%02d", day);
    return buffer;
}

std::string yearlyKey(int day, int month) {
    char buffer[32];
    formatTo(buffer, sizeof buffer, "Y%02d%02d", day, month);
    return buffer;
}

std::vector<std::string> todayKeys(const LocalDate& date, bool monthlyAndYearly) {
    std::vector<std::string> keys{dateKey(date.day, date.month, date.year), weekdayKey(date.weekday)};
    if (monthlyAndYearly) {
        keys.push_back(monthlyKey(date.day));
        keys.push_back(yearlyKey(date.day, date.month));
    }
    keys.push_back(kEveryDayKey);
    return keys;
}

}  // namespace tikkano
