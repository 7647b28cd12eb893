// One reminder's time, sound, message and program, edited in place.
#pragma once

#include <windows.h>

#include "scheduler/reminder_store.h"

namespace tikkano {

// IDOK when the record now holds what the user entered, IDCANCEL when it was left alone.
INT_PTR openReminderEditDialog(HWND owner, Reminder& record);

}  // namespace tikkano
