// The reminders of today, checked from the indicator refresh.
#pragma once

#include <windows.h>

namespace tikkano {

// On a new day of the month: today's reminders are gathered anew.
void remindersNewDay(const SYSTEMTIME& now);
// On a new minute: the reminders that fell due since the last check fire.
void remindersNewMinute(HWND indicator, const SYSTEMTIME& now);

}  // namespace tikkano
