#include "scheduler/scheduler.h"

#include <utility>

#include "edition_choice.h"
#include "scheduler/reminder_actions_win.h"

namespace tikkano {
namespace {

LocalDate today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek};
}

}  // namespace

std::unique_ptr<ReminderCheck> startReminders(const Profile& profile, const Moment& lastClosing,
                                              ReminderCheck::Record record) {
    return std::make_unique<ReminderCheck>(ReminderCheck::Rules{kEdition.catchesUp, kEdition.passesWorkingFolder},
                                           lastClosing, rebuildFromProfile(profile, today, kEdition.monthlyAndYearly),
                                           std::move(record));
}

void remindersNewDay(ReminderCheck& reminders, const SYSTEMTIME& now) { reminders.onDay(now.wDay); }

void remindersNewMinute(ReminderCheck& reminders, HWND indicator, const SYSTEMTIME& now, Language language) {
    WinReminderActions actions(indicator, language);
    reminders.onMinute({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute}, actions);
}

}  // namespace tikkano
