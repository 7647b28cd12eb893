// The reminders of one group, listed for adding, changing and deleting; OK
// writes the group back to the settings file.
#pragma once

#include <windows.h>

#include "settings_file/profile.h"
#include "settings_file/settings.h"
#include "scheduler/reminder_list_request.h"

namespace tikkano {

// IDOK after the group was written, IDCANCEL when nothing was.
// The file's failures are told in `language`; the list itself speaks Russian.
INT_PTR openReminderListDialog(HWND owner, const ReminderListRequest& request, Profile& profile, Language language);

}  // namespace tikkano
