#include "scheduler/reminder_check.h"

#include <new>
#include <optional>
#include <tuple>
#include <utility>

#include "base/text_format.h"
#include "scheduler/run_command.h"

namespace tikkano {

namespace {

bool sameDay(const ClockStamp& a, const ClockStamp& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool dayBefore(const ClockStamp& a, const ClockStamp& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

bool sameDay(const LocalDate& a, const ClockStamp& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool sameMinute(const ClockStamp& a, const ClockStamp& b) {
    return sameDay(a, b) && a.hour == b.hour && a.minute == b.minute;
}

long long minuteOfDay(int hour, int minute) { return static_cast<long long>(hour) * 60 + minute; }

}  // namespace

std::string reminderMessage(const Reminder& reminder) {
    if (reminder.text.empty()) return {};
    char head[48];
    formatTo(head, sizeof head, "%02d:%02d - ", reminder.hour, reminder.minute);
    return head + unescapeText(reminder.text);
}

void fireReminder(const Reminder& reminder, bool passesWorkingFolder, ReminderActions& actions) {
    if (!reminder.sound.empty())
        actions.playSound(reminder.sound);
    else
        actions.beep();

    // The separator alone (no program, no parameters) starts nothing.
    std::optional<ProgramNotStarted> notStarted;
    if (reminder.run.size() > 1) {
        const RunCommand command = runCommand(reminder.run);
        const bool withFolder = passesWorkingFolder && !command.folder.empty();
        if (const unsigned long error =
                actions.open(command.file, command.parameters, withFolder ? &command.folder : nullptr))
            notStarted = ProgramNotStarted{command.file, error};
    }

    const std::string message = reminderMessage(reminder);
    if (!message.empty() || notStarted) actions.showMessage(message, notStarted ? &*notStarted : nullptr);
}

ReminderCheck::ReminderCheck(Rules rules, ClockStamp lastClosing, Rebuild rebuild)
    : rules_(rules),
      lastClosing_(lastClosing),
      rebuild_(std::move(rebuild)),
      today_(std::make_shared<const TodayReminders>()),
      empty_(today_) {}

void ReminderCheck::rebuild() {
    try {
        TodayList gathered = rebuild_ ? rebuild_() : TodayList();
        today_ = std::make_shared<const TodayReminders>(std::move(gathered.reminders));
        listDate_ = gathered.date;
    } catch (const std::bad_alloc&) {
        // No reminders today rather than yesterday's, or none at all ever again.
        today_ = empty_;
        listDate_ = LocalDate();
    }
}

void ReminderCheck::restart(ClockStamp lastClosing) {
    lastClosing_ = lastClosing;
    checked_ = false;
    rebuild();
}

void ReminderCheck::onDay(int dayOfMonth) {
    if (dayOfMonth == lastDay_) return;
    lastDay_ = dayOfMonth;
    rebuild();
}

void ReminderCheck::onMinute(const ClockStamp& now, ReminderActions& actions) {
    try {
        runMinute(now, actions);
    } catch (const std::bad_alloc&) {
        // The minutes were claimed before firing: the pass ends here and is not retried.
    }
}

void ReminderCheck::runMinute(const ClockStamp& now, ReminderActions& actions) {
    if (checked_ && sameMinute(now, lastMinute_)) return;

    const int nowMinute = now.hour * 60 + now.minute;

    // Everything below claims its minutes before any reminder fires, so a tick
    // nested in a message box neither repeats them nor waits for them.
    if (!checked_) {
        checked_ = true;
        lastMinute_ = now;
        coveredDay_ = now;
        covered_ = nowMinute;
        if (rules_.catchesUp) {
            // Reminders of the closing minute itself fired before the close.
            const int from = sameDay(lastClosing_, now)
                                 ? lastClosing_.hour * 60 + lastClosing_.minute + 1
                                 : 0;
            runPass(from, nowMinute, Mode::CatchUp, actions);
        }
        runPass(nowMinute, nowMinute + 1, Mode::Minute, actions);
        return;
    }

    lastMinute_ = now;
    int from;
    if (sameDay(now, coveredDay_)) {
        // Minutes skipped by a sleep or a late tick are covered; a clock set back
        // waits until it passes the minutes already covered.
        if (nowMinute <= covered_) return;
        from = covered_ + 1;
    } else if (dayBefore(coveredDay_, now) && sameDay(listDate_, now)) {
        from = 0;
    } else {
        // A date gone backwards, or a list still of another date (a jump that
        // kept the day of the month, even past a rebuild made before the jump):
        // only the current minute.
        from = nowMinute;
    }
    coveredDay_ = now;
    covered_ = nowMinute;
    runPass(from, nowMinute + 1, Mode::Minute, actions);
}

void ReminderCheck::runPass(int from, int to, Mode mode, ReminderActions& actions) {
    // A rebuild while a message box is open replaces today_; this pass keeps
    // walking the list it started with.
    const std::shared_ptr<const TodayReminders> list = today_;
    for (std::size_t i = 0; i < list->size(); ++i) {
        const int hour = list->hour(i);
        const int minute = list->minute(i);
        // The list holds only entries that can fire (canFire).
        if (mode == Mode::Minute && (hour > 23 || minute > 59)) continue;
        const long long t = minuteOfDay(hour, minute);
        if (t < from || t >= to) continue;
        fireReminder(list->at(i), rules_.passesWorkingFolder, actions);
    }
}

ReminderCheck::Rebuild rebuildFromProfile(const Profile& profile,
                                          std::function<LocalDate()> localDate,
                                          bool monthlyAndYearly) {
    return [&profile, localDate = std::move(localDate), monthlyAndYearly] {
        const LocalDate date = localDate();
        return TodayList{rebuildToday(profile, date, monthlyAndYearly), date};
    };
}

}  // namespace tikkano
