#include "dates/calendar_math.h"

#include "base/texts.h"

namespace tikkano {
namespace {

int floorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

long long daysFromCivil(int year, int month, int day) {
    const int y = year - (month <= 2);
    const int era = floorDiv(y, 400);
    const int yearOfEra = y - era * 400;
    const int shiftedMonth = month > 2 ? month - 3 : month + 9;
    const int dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<long long>(era) * 146097 + dayOfEra - 719468;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int monthLength(int month, int year) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kLengths[month - 1];
}

int weekday(int day, int month, int year) {
    // 1 January 1970 was a Thursday, 3 counted from Monday.
    const long long days = daysFromCivil(year, month, day) + 3;
    return static_cast<int>(((days % 7) + 7) % 7);
}

const char* weekdayName(int sundayFirstIndex, Language language) {
    if (sundayFirstIndex < 0 || sundayFirstIndex > 6) return "";
    return text(kTextWeekdaySunday + sundayFirstIndex, language);
}

const char* monthName(int month, Language language) {
    if (month < 1 || month > 12) return "";
    return text(kTextMonthJanuary + month - 1, language);
}

}  // namespace tikkano
