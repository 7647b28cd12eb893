// The reminders of today, checked from the indicator refresh.
#pragma once

#include <windows.h>

#include <memory>

#include "base/language.h"
#include "base/moment.h"
#include "settings_file/profile.h"
#include "scheduler/reminder_check.h"

namespace tikkano {

// Start-up: the check of today's reminders, from the last closing on.
// `record` keeps the coverage in the file as the passes fire.
std::unique_ptr<ReminderCheck> startReminders(const Profile& profile, const Moment& lastClosing,
                                              ReminderCheck::Record record);

// On a new day of the month: today's reminders are gathered anew.
void remindersNewDay(ReminderCheck& reminders, const SYSTEMTIME& now);
// On a new minute: the reminders that fell due since the last check fire,
// their message boxes owned by `indicator`; a program that cannot start is
// told in `language`.
void remindersNewMinute(ReminderCheck& reminders, HWND indicator, const SYSTEMTIME& now, Language language);

}  // namespace tikkano
