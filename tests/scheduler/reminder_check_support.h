// What the reminder check's tests share: a recorder of what firing does, a
// reminder at a time, and a check over a fixed list driven minute by minute.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "scheduler/reminder_check.h"

namespace tikkano::test {

// Records what firing does, one line per action.
class RecordingActions : public ReminderActions {
public:
    void playSound(const std::string& path) override { events.push_back("sound " + path); }
    void beep() override { events.push_back("beep"); }
    unsigned long open(const std::string& file, const std::string& parameters,
                       const std::string* folder) override {
        events.push_back("open " + file + " | " + parameters + " | " + (folder ? *folder : "<none>"));
        return openError;
    }
    void showMessage(const std::string& text, const ProgramNotStarted* notStarted) override {
        events.push_back("box " + text +
                         (notStarted ? " + not started " + notStarted->file + " " + std::to_string(notStarted->error)
                                     : ""));
        messages.push_back(text);
        if (duringMessage) duringMessage(text);
    }
    unsigned long openError = 0;  // what every open answers
    std::vector<std::string> events;
    std::vector<std::string> messages;
    std::function<void(const std::string&)> duringMessage;
};

inline Reminder at(int hour, int minute, const std::string& text) {
    Reminder r;
    r.hour = hour;
    r.minute = minute;
    r.text = text;
    r.run = std::string(1, kRunSeparator);
    return r;
}

using Messages = std::vector<std::string>;

constexpr ClockStamp kNever{};
constexpr bool kClock = true;
constexpr bool kEarlier = false;

// A check over a fixed list, already through its first day part.
struct Harness {
    Harness(ReminderList list, ClockStamp lastClosing = kNever, bool catchesUp = kClock)
        : list(std::move(list)),
          check({catchesUp, true}, lastClosing,
                [this] {
                    ++rebuilds;
                    return TodayList{TodayReminders(serializeGroup(this->list)), clockDate};
                },
                [this](const ClockStamp& covered) { recorded.push_back(covered); }) {
        check.onDay(7);
    }
    // The local clock moves to the given minute, then the refresh runs.
    Messages tick(int year, int month, int day, int hour, int minute) {
        actions.messages.clear();
        clockDate = {year, month, day, 0};
        check.onDay(day);
        check.onMinute({year, month, day, hour, minute}, actions);
        return actions.messages;
    }
    Messages tick(int hour, int minute) { return tick(2001, 8, 7, hour, minute); }

    ReminderList list;
    LocalDate clockDate{2001, 8, 7, 2};  // what a rebuild reads from the local clock
    int rebuilds = 0;
    std::vector<ClockStamp> recorded;  // what the check kept in the file, in turn
    ReminderCheck check;
    RecordingActions actions;
};

}  // namespace tikkano::test
