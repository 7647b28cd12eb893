// The request with which the calendar opens the reminders of one group: the
// kind of group, the day it stands for, and the "Alarm" key that holds it.
#pragma once

namespace tikkano {

enum class GroupKind { Date, Weekday, EveryDay, Monthly, Yearly, None };

// A group's kind; its day (the day of the month for a date, monthly or yearly
// group, the selected day or 0 for the every-day group, the weekday 0 Sunday
// .. 6 Saturday for a weekday group); the shown month and year; the key.
struct ReminderListRequest {
    GroupKind kind = GroupKind::None;
    int day = 0;
    int month = 0;
    int year = 0;
    char key[12] = {};
};

// The request for the group of `kind` with `day` (as above) in `month` and `year`.
ReminderListRequest makeListRequest(GroupKind kind, int day, int month, int year);

}  // namespace tikkano
