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

ReminderCheck& reminderCheck() {
    // Made at the first check, after start-up has read the last closing.
    static ReminderCheck check = [] {
        const AppState& state = app();
        return ReminderCheck({kEdition.catchesUp, kEdition.passesWorkingFolder}, state.settings.lastClosing,
                             rebuildFromProfile(state.profile, today, kEdition.monthlyAndYearly));
    }();
    return check;
}

}  // namespace

void remindersNewDay(const SYSTEMTIME& now) { reminderCheck().onDay(now.wDay); }

void remindersNewMinute(HWND indicator, const SYSTEMTIME& now) {
    WinReminderActions actions(indicator);
    reminderCheck().onMinute({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute}, actions);
}

}  // namespace tikkano
