// The reminder check run by the indicator refresh: a day part that rebuilds
// today's reminder list on a new day of the month, and a minute part that fires
// the reminders that fell due. Time and the effects of a reminder (sound,
// program, message box) come in from outside, so the rules run without a clock.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/moment.h"
#include "scheduler/reminder_store.h"

namespace tikkano {

// A reminder's program that could not be started, and Windows' reason.
struct ProgramNotStarted {
    std::string file;
    unsigned long error = 0;  // Windows' error number
};

// What firing a reminder does. showMessage may run a nested message loop in
// which the check is entered again.
class ReminderActions {
public:
    virtual ~ReminderActions() = default;
    virtual void playSound(const std::string& path) = 0;
    virtual void beep() = 0;
    // `folder` is null when no working folder is handed over. 0 when it
    // started, else Windows' error number.
    virtual unsigned long open(const std::string& file, const std::string& parameters,
                               const std::string* folder) = 0;
    // `text` is empty for a reminder without text whose program did not start:
    // the box then tells that alone.
    virtual void showMessage(const std::string& text, const ProgramNotStarted* notStarted) = 0;
};

// A local time to the minute. All zeros mean "never" for the last closing.
using ClockStamp = Moment;

// The later of two stamps, by date, then hour and minute.
ClockStamp laterStamp(const ClockStamp& a, const ClockStamp& b);

// "%02d:%02d - text" with the reminder's own time and its unescaped text;
// empty when the reminder has no text.
std::string reminderMessage(const Reminder& reminder);

// Sound (or beep), then the program, then the message, as one reminder fires;
// a program that could not start is told in the message's box, or in a box
// of its own.
void fireReminder(const Reminder& reminder, bool passesWorkingFolder, ReminderActions& actions);

// Today's reminders as a rebuild gathered them, with the date they were gathered for.
struct TodayList {
    TodayReminders reminders;
    LocalDate date;
};

class ReminderCheck {
public:
    // Gathers the list of the local date at the time of the call.
    using Rebuild = std::function<TodayList()>;

    struct Rules {
        bool catchesUp = true;            // first check fires what fell due earlier today
        bool passesWorkingFolder = true;  // programs start in their own folder
    };

    // Keeps in the settings file how far the passes have covered the day, so
    // that a start after a kill fires nothing again. Called once by a pass
    // that found something due, before it fires anything.
    using Record = std::function<void(const ClockStamp& covered)>;

    // `lastClosing` is how far the settings file says the day was covered
    // (LastTime): a start fires nothing up to it, also when it lies later
    // than now (the clock set back, a repeated hour, a file of another PC).
    ReminderCheck(Rules rules, ClockStamp lastClosing, Rebuild rebuild, Record record = nullptr);

    // The three calls below run inside the indicator's window procedure and never
    // throw: memory running out while gathering or firing leaves an empty list or
    // ends that pass, instead of ending the program.

    // Rebuilds today's list when the day of the month differs from the last one seen.
    void onDay(int dayOfMonth);
    // Fires what fell due since the last pass, at the first call also what fell
    // due since the last closing.
    void onMinute(const ClockStamp& now, ReminderActions& actions);
    // Replaces today's list at once; a pass already running keeps the list it started with.
    void rebuild();
    // Starts over as a new start-up with this last closing (the settings file
    // could not be read at start): today's list is gathered anew, and the next
    // minute part runs the catch-up from that closing.
    void restart(ClockStamp lastClosing);

    const TodayReminders& today() const { return *today_; }
    // The last minute covered: by the passes, or by the last closing while no
    // pass went past it. What a close records, so that it never moves the
    // coverage back (the clock set back, the repeated hour of autumn).
    const ClockStamp& coverage() const { return covered_; }

private:
    enum class Mode { CatchUp, Minute };
    void runMinute(const ClockStamp& now, ReminderActions& actions);
    // The first minute of today not covered yet, or nothing while `now` lies
    // within what is covered.
    std::optional<int> firstUncovered(const ClockStamp& now) const;
    // The first check: the catch-up from `from`, then the current minute;
    // later ones: every minute from `from` to the current one.
    void firePasses(int from, int nowMinute, bool first, ReminderActions& actions);
    // The indexes of the list's reminders whose minute of the day lies in [from, to).
    static void collectDue(const TodayReminders& list, int from, int to, Mode mode, std::vector<std::size_t>& due);

    Rules rules_;
    Rebuild rebuild_;
    Record record_;
    std::shared_ptr<const TodayReminders> today_;
    std::shared_ptr<const TodayReminders> empty_;  // made up front: taken when a rebuild fails
    LocalDate listDate_;        // the date today_ was gathered for; all zeros: none

    int lastDay_ = -1;
    bool checked_ = false;      // a minute part has run
    ClockStamp lastMinute_;     // the minute of the last minute part
    ClockStamp covered_;        // minutes up to this one have had their pass; all zeros: none
};

// A rebuild callback over the settings file: `localDate` gives today when called.
ReminderCheck::Rebuild rebuildFromProfile(const Profile& profile,
                                          std::function<LocalDate()> localDate,
                                          bool monthlyAndYearly);

}  // namespace tikkano
