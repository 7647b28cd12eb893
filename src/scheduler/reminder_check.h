// The reminder check run by the indicator refresh: a day part that rebuilds
// today's reminder list on a new day of the month, and a minute part that fires
// the reminders that fell due. Time and the effects of a reminder (sound,
// program, message box) come in from outside, so the rules run without a clock.
#pragma once

#include <functional>
#include <memory>
#include <string>

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

    ReminderCheck(Rules rules, ClockStamp lastClosing, Rebuild rebuild);

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

private:
    enum class Mode { CatchUp, Minute };
    void runMinute(const ClockStamp& now, ReminderActions& actions);
    // Fires the reminders whose minute of the day lies in [from, to).
    void runPass(int from, int to, Mode mode, ReminderActions& actions);

    Rules rules_;
    ClockStamp lastClosing_;
    Rebuild rebuild_;
    std::shared_ptr<const TodayReminders> today_;
    std::shared_ptr<const TodayReminders> empty_;  // made up front: taken when a rebuild fails
    LocalDate listDate_;        // the date today_ was gathered for; all zeros: none

    int lastDay_ = -1;
    bool checked_ = false;      // a minute part has run
    ClockStamp lastMinute_;     // the minute of the last minute part
    ClockStamp coveredDay_;     // the day the covered minutes belong to (hour, minute unused)
    int covered_ = -1;          // minutes of that day up to this one have had their pass
};

// A rebuild callback over the settings file: `localDate` gives today when called.
ReminderCheck::Rebuild rebuildFromProfile(const Profile& profile,
                                          std::function<LocalDate()> localDate,
                                          bool monthlyAndYearly);

}  // namespace tikkano
