// The request with which the calendar opens the reminders of one group: which
// calendar button asked, and the "Alarm" key of the group it stands for.
#pragma once

namespace tikkano {

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
