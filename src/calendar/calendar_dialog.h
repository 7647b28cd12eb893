// The perpetual calendar, the way into the reminders of a date, a weekday,
// every day, a day of every month and a day of every year.
#pragma once

#include <windows.h>

namespace tikkano {

// Modal over the indicator; each open calendar keeps its own month and selection.
void openCalendarDialog(HWND indicator);

}  // namespace tikkano
