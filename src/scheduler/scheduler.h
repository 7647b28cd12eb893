// The reminders of today, checked from the indicator refresh.
#pragma once

#include <windows.h>

namespace tikkano {

struct AppState;

// Start-up: the check of today's reminders, from the last closing on.
void startReminders(AppState& state);

// On a new day of the month: today's reminders are gathered anew.
void remindersNewDay(const SYSTEMTIME& now);
// On a new minute: the reminders that fell due since the last check fire.
void remindersNewMinute(HWND indicator, const SYSTEMTIME& now);
// After a group was written: today's reminders gathered anew at once.
void rebuildTodayReminders();

}  // namespace tikkano
