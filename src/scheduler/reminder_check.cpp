#include "scheduler/reminder_check.h"

#include "dates/calendar_math.h"

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

ClockStamp laterStamp(const ClockStamp& a, const ClockStamp& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute) < std::tie(b.year, b.month, b.day, b.hour, b.minute)
               ? b
               : a;
}

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

ReminderCheck::ReminderCheck(Rules rules, ClockStamp lastClosing, Rebuild rebuild, Record record)
    : rules_(rules),
      rebuild_(std::move(rebuild)),
      record_(std::move(record)),
      today_(std::make_shared<const TodayReminders>()),
      empty_(today_),
      covered_(lastClosing) {}

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
    covered_ = lastClosing;
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

std::optional<int> ReminderCheck::firstUncovered(const ClockStamp& now) const {
    const int nowMinute = now.hour * 60 + now.minute;
    if (sameDay(covered_, now)) {
        // Minutes skipped by a sleep or a late tick are covered; a clock set
        // back, or the hour that autumn repeats, waits until it passes the
        // minutes already covered. The covered minute itself has fired.
        const int covered = covered_.hour * 60 + covered_.minute;
        // A time past the day's end (a hand-edited stamp) would keep the whole day quiet.
        if (covered_.hour > 23 || covered_.minute > 59) return nowMinute;
        if (nowMinute <= covered) return std::nullopt;
        return covered + 1;
    }
    if (dayBefore(covered_, now)) {
        // A list still of another date (a jump that kept the day of the month,
        // even past a rebuild made before the jump): only the current minute.
        return sameDay(listDate_, now) ? 0 : nowMinute;
    }
    // Covered up to a later day: the clock was set back across midnight. Up
    // to the next day that is taken as it stands; further ahead it is a clock
    // that was wrong (or a file of another PC), which would keep every
    // reminder quiet for as long: only the current minute then.
    if (daysFromCivil(covered_.year, covered_.month, covered_.day) - daysFromCivil(now.year, now.month, now.day) <= 1) return std::nullopt;
    return nowMinute;
}

void ReminderCheck::runMinute(const ClockStamp& now, ReminderActions& actions) {
    if (checked_ && sameMinute(now, lastMinute_)) return;
    const bool first = !checked_;
    checked_ = true;
    lastMinute_ = now;
    const std::optional<int> uncovered = firstUncovered(now);
    if (!uncovered) return;
    const int nowMinute = now.hour * 60 + now.minute;
    // The earlier edition catches nothing up at its start.
    const int from = first && !rules_.catchesUp ? nowMinute : *uncovered;
    // The minutes are claimed before any reminder fires, so a tick nested in
    // a message box neither repeats them nor waits for them.
    covered_ = now;
    firePasses(from, nowMinute, first, actions);
}

void ReminderCheck::collectDue(const TodayReminders& list, int from, int to, Mode mode,
                               std::vector<std::size_t>& due) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int hour = list.hour(i);
        const int minute = list.minute(i);
        // The list holds only entries that can fire (canFire).
        if (mode == Mode::Minute && (hour > 23 || minute > 59)) continue;
        const long long t = minuteOfDay(hour, minute);
        if (t >= from && t < to) due.push_back(i);
    }
}

void ReminderCheck::firePasses(int from, int nowMinute, bool first, ReminderActions& actions) {
    // A rebuild while a message box is open replaces today_; the passes keep
    // walking the list they started with.
    const std::shared_ptr<const TodayReminders> list = today_;
    std::vector<std::size_t> due;
    if (first) {
        collectDue(*list, from, nowMinute, Mode::CatchUp, due);
        collectDue(*list, nowMinute, nowMinute + 1, Mode::Minute, due);
    } else {
        collectDue(*list, from, nowMinute + 1, Mode::Minute, due);
    }
    if (due.empty()) return;
    // Recorded before the first box: a box may stay open for hours, and a
    // kill meanwhile must not show its reminders again at the next start.
    if (record_) {
        try {
            record_(covered_);
        } catch (const std::bad_alloc&) {
            // Not recorded: the reminders fire all the same.
        }
    }
    for (const std::size_t i : due) fireReminder(list->at(i), rules_.passesWorkingFolder, actions);
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
