// The perpetual calendar, the way into the reminders of a date, a weekday,
// every day, a day of every month and a day of every year.
#pragma once

#include <windows.h>

#include "settings_file/profile.h"
#include "settings_file/settings.h"
#include "scheduler/reminder_check.h"

namespace tikkano {

// What a calendar reads and changes: the language of its texts, the settings
// file its marks come from and its lists write to, and today's reminders,
// gathered anew after a list wrote a group.
struct CalendarContext {
    const Settings& settings;
    Profile& profile;
    ReminderCheck& reminders;
};

// Modal over the indicator; each open calendar keeps its own month and selection.
void openCalendarDialog(HWND indicator, const CalendarContext& context);

}  // namespace tikkano
