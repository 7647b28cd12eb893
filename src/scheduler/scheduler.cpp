#include "scheduler/scheduler.h"

#include "app/app_state.h"
#include "edition_choice.h"
#include "scheduler/reminder_actions_win.h"
#include "scheduler/reminder_check.h"

namespace tikkano {
namespace {

LocalDate today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek};
}

ReminderCheck& reminderCheck() { return *app().reminders; }

}  // namespace

void startReminders(AppState& state) {
    state.reminders = std::make_unique<ReminderCheck>(
        ReminderCheck::Rules{kEdition.catchesUp, kEdition.passesWorkingFolder}, state.settings.lastClosing,
        rebuildFromProfile(state.profile, today, kEdition.monthlyAndYearly));
}

void rebuildTodayReminders() { reminderCheck().rebuild(); }

void remindersNewDay(const SYSTEMTIME& now) { reminderCheck().onDay(now.wDay); }

void remindersNewMinute(HWND indicator, const SYSTEMTIME& now) {
    WinReminderActions actions(indicator);
    reminderCheck().onMinute({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute}, actions);
}

}  // namespace tikkano
