// Date rules and names shared by the calendar and the reminder dialogs, and the
// request with which the calendar opens the reminders of one group.
#pragma once

#include "app/settings.h"

namespace tikkano {

// The calendar shows the years of the Gregorian calendar from 1 to 9999.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

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

// Which calendar button asked for a group, the day, month and year it stands
// for, and the name of the "Alarm" key that holds the group.
struct ReminderListRequest {
    int controlId = 0;
    int day = 0;
    int month = 0;
    int year = 0;
    char key[12] = {};
};

enum class GroupKind { Date, Weekday, EveryDay, Monthly, Yearly, None };
GroupKind groupKind(int controlId);

// The request for a click on `controlId` with `day` (the clicked day, or the
// selected day for the monthly and yearly buttons, 0 for weekdays) in the
// shown `month` and `year`.
ReminderListRequest makeListRequest(int controlId, int day, int month, int year);

}  // namespace tikkano
