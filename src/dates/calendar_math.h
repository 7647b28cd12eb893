// Date rules and names shared by the calendar and the reminder dialogs.
#pragma once

#include "base/language.h"

namespace tikkano {

// The calendar shows the years of the Gregorian calendar from 1 to 9999.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

// Days since 1 January 1970 of a proleptic Gregorian date; linear in the day,
// so any numbers go in (a hand-edited stamp), and only real dates count right.
long long daysFromCivil(int year, int month, int day);
bool isLeapYear(int year);
// Days of month 1..12 of `year`.
int monthLength(int month, int year);

// Weekday of a date, 0 Monday up to 6 Sunday, by the Gregorian calendar.
// A day past the month's end counts on into the next month, so that
// weekday(day + 1, ...) is the Sunday-first index of the date's weekday.
int weekday(int day, int month, int year);

// Sunday-first weekday names and January-first month names by language.
const char* weekdayName(int sundayFirstIndex, Language language);
const char* monthName(int month, Language language);

}  // namespace tikkano
