#include "scheduler/reminder_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "settings_file/settings.h"
#include "support/memory_profile.h"

namespace tikkano {
namespace {

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

Reminder at(int hour, int minute, const std::string& text) {
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

TEST(ReminderMessage, OwnTimeThenUnescapedText) {
    EXPECT_EQ(reminderMessage(at(9, 30, "Team|Room 2")), "09:30 - Team\nRoom 2");
    EXPECT_EQ(reminderMessage(at(14, 0, "a\x82 b\x84")), "14:00 - a, b;");
    EXPECT_EQ(reminderMessage(at(14, 0, "")), "");
}

TEST(FireReminder, BeepAndBoxWhenNoSoundAndNoProgram) {
    RecordingActions actions;
    fireReminder(at(14, 0, "Hello"), true, actions);
    EXPECT_EQ(actions.events, (std::vector<std::string>{"beep", "box 14:00 - Hello"}));
}

TEST(FireReminder, SoundWithoutTextShowsNoBox) {
    Reminder r = at(8, 0, "");
    r.sound = "C:\\Sounds\\bell.wav";
    RecordingActions actions;
    fireReminder(r, true, actions);
    EXPECT_EQ(actions.events, (std::vector<std::string>{"sound C:\\Sounds\\bell.wav"}));
}

TEST(FireReminder, ProgramStartsInItsFolderWhenTheEditionPassesIt) {
    Reminder r = at(8, 0, "x");
    r.run = "C:\\Tools\\notes.exe\x83" "agenda.txt";
    RecordingActions clock, earlier;
    fireReminder(r, true, clock);
    fireReminder(r, false, earlier);
    EXPECT_EQ(clock.events[1], "open C:\\Tools\\notes.exe | agenda.txt | C:\\Tools");
    EXPECT_EQ(earlier.events[1], "open C:\\Tools\\notes.exe | agenda.txt | <none>");
}

TEST(FireReminder, AProgramThatCannotStartIsToldInTheRemindersBoxOrABoxOfItsOwn) {
    Reminder withText = at(8, 0, "Backup");
    withText.run = "\"C:\\Tools\\gone.exe\"\x83";
    Reminder withoutText = withText;
    withoutText.text.clear();
    RecordingActions failing;
    failing.openError = 2;
    fireReminder(withText, true, failing);
    fireReminder(withoutText, true, failing);
    const std::vector<std::string> told{
        "beep", "open C:\\Tools\\gone.exe |  | C:\\Tools", "box 08:00 - Backup + not started C:\\Tools\\gone.exe 2",
        "beep", "open C:\\Tools\\gone.exe |  | C:\\Tools", "box  + not started C:\\Tools\\gone.exe 2"};
    EXPECT_EQ(failing.events, told);

    RecordingActions started;
    fireReminder(withoutText, true, started);
    EXPECT_EQ(started.events.size(), 2u) << "a program that started and no text: no box";
}

TEST(FireReminder, RunFieldSplitting) {
    struct Case {
        std::string run;
        std::string expected;  // empty: nothing opened
    };
    const std::string longPath = "D:\\" + std::string(3000, 'p') + "\\go.bat";
    const Case cases[] = {
        {"notepad.exe\x83" "a.txt", "open notepad.exe | a.txt | <none>"},
        {"C:\\x.exe", "open C:\\x.exe |  | C:"},
        {"C:\\x.exe\x83" "a\x83" "b", "open C:\\x.exe | a\x83" "b | C:"},
        {longPath + "\x83" "q", "open " + longPath + " | q | D:\\" + std::string(3000, 'p')},
        {std::string(1, kRunSeparator), ""},
        {"", ""},
        // A path in quotes, as Explorer copies it: the quotes go before the folder is cut.
        {"\"C:\\Program Files\\Tool\\t.exe\"\x83" "a.txt",
         "open C:\\Program Files\\Tool\\t.exe | a.txt | C:\\Program Files\\Tool"},
        {"  \"C:\\T\\t.exe\" -q \x83" "a.txt", "open C:\\T\\t.exe | -q a.txt | C:\\T"},
        {"\"C:\\T\\t.exe\" -q", "open C:\\T\\t.exe | -q | C:\\T"},
        {"\"C:\\T\\unclosed.exe", "open C:\\T\\unclosed.exe |  | C:\\T"},
        {"\"notes.txt\"", "open notes.txt |  | <none>"},
        // A quote inside the path is the user's own.
        {"C:\\a\"b\\t.exe", "open C:\\a\"b\\t.exe |  | C:\\a\"b"},
    };
    for (const Case& c : cases) {
        Reminder r = at(8, 0, "");
        r.run = c.run;
        RecordingActions actions;
        fireReminder(r, true, actions);
        std::vector<std::string> expected{"beep"};
        if (!c.expected.empty()) expected.push_back(c.expected);
        EXPECT_EQ(actions.events, expected) << c.run.size();
    }
}

TEST(ReminderCheckDay, RebuildsOnlyWhenTheDayOfTheMonthChanges) {
    Harness h({});
    EXPECT_EQ(h.rebuilds, 1);
    h.check.onDay(7);
    EXPECT_EQ(h.rebuilds, 1);
    h.check.onDay(8);
    EXPECT_EQ(h.rebuilds, 2);
    h.check.onDay(8);  // the 8th of another month: the same day of the month
    EXPECT_EQ(h.rebuilds, 2);
}

TEST(ReminderCheckStart, FirstStartEverFiresTheWholeDayUpToNowOnce) {
    Harness h({at(0, 0, "midnight"), at(10, 15, "now"), at(8, 0, "morning"), at(10, 16, "later")});
    EXPECT_EQ(h.tick(10, 15), (Messages{"00:00 - midnight", "08:00 - morning", "10:15 - now"}));
    EXPECT_EQ(h.tick(10, 15), Messages{});
    EXPECT_EQ(h.tick(10, 16), Messages{"10:16 - later"});
}

TEST(ReminderCheckStart, RestartSameDayLeavesOutTheClosingMinute) {
    Harness h({at(10, 39, "a"), at(10, 40, "closing"), at(10, 41, "b"), at(11, 14, "c"),
               at(11, 15, "now"), at(11, 16, "d")},
              {2001, 8, 7, 10, 40});
    EXPECT_EQ(h.tick(11, 15), (Messages{"10:41 - b", "11:14 - c", "11:15 - now"}));
}

TEST(ReminderCheckStart, ClosedOnAnotherDayCatchesUpFromMidnight) {
    const ReminderList list{at(0, 0, "midnight"), at(9, 0, "nine"), at(23, 0, "late")};
    Harness yesterday(list, {2001, 8, 6, 23, 50});
    EXPECT_EQ(yesterday.tick(9, 30), (Messages{"00:00 - midnight", "09:00 - nine"}));
    // Same day and hour of another month is another day as well.
    Harness lastMonth(list, {2001, 7, 7, 8, 0});
    EXPECT_EQ(lastMonth.tick(9, 30), (Messages{"00:00 - midnight", "09:00 - nine"}));
}

TEST(ReminderCheckStart, ClosedLaterTodayThanNowFiresNothingUpToTheClosing) {
    Harness h({at(9, 0, "nine"), at(9, 30, "now"), at(12, 0, "closing"), at(12, 1, "after")}, {2001, 8, 7, 12, 0});
    EXPECT_EQ(h.tick(9, 30), Messages{});
    EXPECT_EQ(h.tick(12, 0), Messages{});
    EXPECT_EQ(h.tick(12, 1), Messages{"12:01 - after"});
}

TEST(ReminderCheckStart, ARestartCatchesUpFromTheClosingReadLate) {
    // Started on an unreadable file: no list, nothing to catch up.
    Harness h({at(9, 0, "closing"), at(9, 30, "after"), at(10, 0, "now"), at(11, 0, "later")});
    const ReminderList real = h.list;
    h.list.clear();
    h.check.rebuild();
    EXPECT_EQ(h.tick(9, 59), Messages{});
    // The file is read: from the minute after its closing, once.
    h.list = real;
    h.check.restart({2001, 8, 7, 9, 0});
    EXPECT_EQ(h.tick(10, 0), (Messages{"09:30 - after", "10:00 - now"}));
    EXPECT_EQ(h.tick(10, 0), Messages{});
    EXPECT_EQ(h.tick(11, 0), Messages{"11:00 - later"});
}

TEST(ReminderCheckStart, EarlierEditionFiresOnlyTheCurrentMinute) {
    Harness h({at(8, 0, "eight"), at(8, 5, "now")}, kNever, kEarlier);
    EXPECT_EQ(h.tick(8, 5), Messages{"08:05 - now"});
}

TEST(ReminderCheckStart, OutOfRangeTimesCatchUpOnlyByTheirMinuteCount) {
    // 0:75 counts as 01:15; 24:00 lies beyond any time of the day.
    Harness h({at(0, 75, "odd"), at(24, 0, "never"), at(-1, -1, "unread"), at(9, -1, "half read")});
    EXPECT_EQ(h.tick(10, 0), Messages{"00:75 - odd"});
    EXPECT_EQ(h.tick(23, 59), Messages{});
}

TEST(ReminderCheckMinute, MinutesLostToASleepFireOnce) {
    Harness h({at(10, 20, "b"), at(10, 5, "a"), at(10, 31, "c")}, kNever, kEarlier);
    EXPECT_EQ(h.tick(10, 0), Messages{});
    // Firing follows the list, not the clock.
    EXPECT_EQ(h.tick(10, 30), (Messages{"10:20 - b", "10:05 - a"}));
    EXPECT_EQ(h.tick(10, 31), Messages{"10:31 - c"});
}

TEST(ReminderCheckMinute, SleepOfExactlyOneHour) {
    Harness h({at(10, 0, "ten"), at(10, 30, "half"), at(11, 0, "eleven")});
    EXPECT_EQ(h.tick(10, 0), Messages{"10:00 - ten"});
    EXPECT_EQ(h.tick(11, 0), (Messages{"10:30 - half", "11:00 - eleven"}));
}

TEST(ReminderCheckMinute, ClockSetBackFiresNothingTwice) {
    Harness h({at(10, 10, "a"), at(10, 30, "b"), at(10, 31, "c")}, kNever, kEarlier);
    h.tick(10, 0);
    EXPECT_EQ(h.tick(10, 30), (Messages{"10:10 - a", "10:30 - b"}));
    for (int m = 0; m <= 30; ++m) EXPECT_EQ(h.tick(10, m), Messages{}) << m;
    EXPECT_EQ(h.tick(10, 31), Messages{"10:31 - c"});
}

TEST(ReminderCheckMinute, NewDayAfterMidnightWithALateTick) {
    Harness h({at(23, 59, "yesterday")});
    h.tick(2001, 8, 7, 23, 58);
    h.list = {at(0, 0, "zero"), at(0, 1, "one"), at(0, 2, "two"), at(0, 3, "three")};
    EXPECT_EQ(h.tick(2001, 8, 8, 0, 2), (Messages{"00:00 - zero", "00:01 - one", "00:02 - two"}));
    EXPECT_EQ(h.rebuilds, 2);
}

TEST(ReminderCheckMinute, DateSetForwardCatchesUpTheNewDayFromMidnightOnce) {
    const ReminderList list{at(0, 0, "midnight"), at(9, 0, "nine"), at(9, 30, "now"), at(9, 31, "later")};
    // Three days on within the month.
    Harness days(list);
    days.tick(2001, 8, 7, 10, 0);
    EXPECT_EQ(days.tick(2001, 8, 10, 9, 30), (Messages{"00:00 - midnight", "09:00 - nine", "09:30 - now"}));
    EXPECT_EQ(days.tick(2001, 8, 10, 9, 30), Messages{});
    EXPECT_EQ(days.tick(2001, 8, 10, 9, 31), Messages{"09:31 - later"});
    // Across the end of a month and of a year, to a smaller day of the month.
    for (const ClockStamp& to : {ClockStamp{2001, 9, 1, 9, 30}, ClockStamp{2002, 1, 1, 9, 30}}) {
        Harness h(list);
        h.tick(2001, 8, 31, 23, 58);
        EXPECT_EQ(h.tick(to.year, to.month, to.day, to.hour, to.minute),
                  (Messages{"00:00 - midnight", "09:00 - nine", "09:30 - now"}))
            << to.year << "-" << to.month;
        EXPECT_EQ(h.rebuilds, 3);  // at the start, on the 31st, on the 1st
    }
}

TEST(ReminderCheckMinute, DateGoingBackwardsWaitsForTheCoveredMinuteUnlessFarAhead) {
    // A day back: that day fired already by this clock; nothing until the
    // clock is past the minute covered.
    Harness h({at(9, 0, "nine"), at(9, 30, "now"), at(12, 1, "after")});
    h.tick(2001, 8, 8, 12, 0);
    EXPECT_EQ(h.tick(2001, 8, 7, 9, 30), Messages{});
    EXPECT_EQ(h.tick(2001, 8, 8, 12, 0), Messages{});
    EXPECT_EQ(h.tick(2001, 8, 8, 12, 1), Messages{"12:01 - after"});
    // A clock that ran years ahead and is put right: only the current minute.
    h.tick(2030, 1, 1, 12, 0);
    EXPECT_EQ(h.tick(2001, 8, 7, 9, 30), Messages{"09:30 - now"});
}

TEST(ReminderCheckMinute, SameDayOfAnotherMonthRefiresNothing) {
    // The list is gathered anew only when the day of the month changes: after a
    // jump to the 7th of the next month it is still the one already fired.
    Harness h({at(9, 0, "nine"), at(10, 5, "five past")});
    EXPECT_EQ(h.tick(2001, 8, 7, 9, 30), Messages{"09:00 - nine"});
    EXPECT_EQ(h.tick(2001, 9, 7, 10, 5), Messages{"10:05 - five past"});
    EXPECT_EQ(h.rebuilds, 1);
    // The next real day starts from midnight again.
    h.list = {at(0, 0, "zero"), at(0, 1, "one")};
    EXPECT_EQ(h.tick(2001, 9, 8, 0, 1), (Messages{"00:00 - zero", "00:01 - one"}));
}

TEST(ReminderCheckMinute, RebuildBeforeAJumpToTheSameDayOfAnotherMonthRefiresNothing) {
    // The calendar rebuilds today's list after OK in a reminder list; the list
    // is still the 5th of January's when the clock jumps to the 5th of February.
    Harness h({at(8, 0, "eight"), at(9, 0, "nine"), at(10, 1, "ten one")});
    EXPECT_EQ(h.tick(2001, 1, 5, 10, 0), (Messages{"08:00 - eight", "09:00 - nine"}));
    h.check.rebuild();
    EXPECT_EQ(h.tick(2001, 2, 5, 10, 1), Messages{"10:01 - ten one"});
}

TEST(ReminderCheckMinute, OutOfRangeRecordsNeverMatch) {
    Harness h({at(0, 75, "odd"), at(24, 0, "late"), at(-1, -1, "unread")});
    h.tick(0, 0);
    EXPECT_EQ(h.tick(23, 59), Messages{});
}

TEST(ReminderCheckMinute, SameMinuteFiresInListOrder) {
    test::MemoryProfile profile;
    profile.write(kAlarmSection, "Day", " 9: 0,every day,\x83,;");
    profile.write(kAlarmSection, "Y0708", " 9: 0,yearly,\x83,;");
    profile.write(kAlarmSection, "M07", " 9: 0,monthly,\x83,;");
    profile.write(kAlarmSection, "02", " 9: 0,weekday,\x83,;");
    profile.write(kAlarmSection, "07082001", " 9: 0,date,\x83,; 9: 0,date 2,\x83,;");
    ReminderCheck check({true, true}, kNever,
                        rebuildFromProfile(profile, [] { return LocalDate{2001, 8, 7, 2}; }, true));
    RecordingActions actions;
    check.onDay(7);
    check.onMinute({2001, 8, 7, 9, 0}, actions);
    EXPECT_EQ(actions.messages, (Messages{"09:00 - date", "09:00 - date 2", "09:00 - weekday",
                                          "09:00 - monthly", "09:00 - yearly", "09:00 - every day"}));
}

// What the file keeps of the coverage, as a start reads it back.
ClockStamp keptInFile(const ClockStamp& covered) {
    test::MemoryProfile file;
    EXPECT_TRUE(saveLastTime(file, covered));
    Settings read;
    loadSettings(file, read, true);
    return read.lastClosing;
}

TEST(ReminderCheckCoverage, AKillAfterFiringFiresNothingAgainAtTheNextStart) {
    const ReminderList list{at(9, 0, "nine"), at(10, 0, "ten"), at(10, 20, "twenty"), at(10, 35, "now")};
    Harness before(list);
    // Recorded before the box shows: a kill while it is open loses nothing twice.
    before.actions.duringMessage = [&](const std::string&) { EXPECT_FALSE(before.recorded.empty()); };
    EXPECT_EQ(before.tick(9, 0), Messages{"09:00 - nine"});
    EXPECT_EQ(before.tick(9, 59), Messages{});
    EXPECT_EQ(before.tick(10, 0), Messages{"10:00 - ten"});
    // Only passes that fired record: one write each.
    ASSERT_EQ(before.recorded.size(), 2u);
    EXPECT_EQ(formatMoment(before.recorded.back()), "200108071000");

    // Killed; started again at 10:35 on what the file kept.
    Harness after(list, keptInFile(before.recorded.back()));
    EXPECT_EQ(after.tick(10, 35), (Messages{"10:20 - twenty", "10:35 - now"}));
}

TEST(ReminderCheckCoverage, ALastTimeLaterThanNowCoversWhatItCovers) {
    // Today 10:31, started at 10:30: the 10:31 reminder fired already.
    Harness minute({at(10, 31, "covered"), at(10, 32, "next")}, {2001, 8, 7, 10, 31});
    EXPECT_EQ(minute.tick(10, 30), Messages{});
    EXPECT_EQ(minute.tick(10, 31), Messages{});
    EXPECT_EQ(minute.tick(10, 32), Messages{"10:32 - next"});

    // Tomorrow 08:00, started today: today is covered, and tomorrow up to 08:00.
    Harness day({at(7, 0, "seven"), at(9, 0, "nine")}, {2001, 8, 8, 8, 0});
    EXPECT_EQ(day.tick(10, 30), Messages{});
    EXPECT_EQ(day.tick(23, 59), Messages{});
    EXPECT_EQ(day.tick(2001, 8, 8, 7, 0), Messages{});
    EXPECT_EQ(day.tick(2001, 8, 8, 9, 0), Messages{"09:00 - nine"});
    EXPECT_TRUE(day.recorded.size() == 1 && formatMoment(day.recorded[0]) == "200108080900");

    // Further ahead than tomorrow: a clock that was wrong, taken for one
    // that covers up to now; the close then records the present again.
    Harness far({at(7, 0, "seven"), at(10, 30, "now")}, {2001, 8, 9, 0, 0});
    EXPECT_EQ(far.tick(10, 30), Messages{"10:30 - now"});
    EXPECT_EQ(formatMoment(far.check.coverage()), "200108071030");
    // Nor does a time past the end of the day.
    Harness odd({at(7, 0, "seven"), at(10, 30, "now")}, {2001, 8, 7, 99, 99});
    EXPECT_EQ(odd.tick(10, 30), Messages{"10:30 - now"});
}

TEST(ReminderCheckCoverage, TheRepeatedHourOfAutumnFiresNothingTwiceAcrossARestart) {
    const ReminderList list{at(2, 2, "two past two"), at(2, 30, "half past"), at(3, 0, "three")};
    // 02:02 summer time fires; the clock runs on to 02:59, goes back to 02:00
    // winter time, and the program is closed at 02:01.
    Harness summer(list, {2001, 8, 6, 23, 0});
    summer.tick(2, 0);
    EXPECT_EQ(summer.tick(2, 2), Messages{"02:02 - two past two"});
    EXPECT_EQ(summer.tick(2, 59), Messages{"02:30 - half past"});
    EXPECT_EQ(summer.tick(2, 0), Messages{});
    EXPECT_EQ(summer.tick(2, 1), Messages{});
    const ClockStamp closing = laterStamp({2001, 8, 7, 2, 1}, summer.check.coverage());
    EXPECT_EQ(formatMoment(closing), "200108070259");

    // Started again at once: nothing until the hour is through.
    Harness winter(list, keptInFile(closing));
    EXPECT_EQ(winter.tick(2, 1), Messages{});
    EXPECT_EQ(winter.tick(2, 30), Messages{});
    EXPECT_EQ(winter.tick(3, 0), Messages{"03:00 - three"});
    // Killed in the repeated hour instead: the file holds the last firing.
    EXPECT_EQ(Harness(list, keptInFile(summer.recorded.back())).tick(2, 30), Messages{});
}

TEST(ReminderCheckNesting, RebuildDuringAMessageBoxLeavesThePassIntact) {
    Harness h({at(9, 0, "first"), at(9, 0, "second"), at(9, 1, "next minute")});
    h.tick(8, 59);
    bool nested = false;
    h.actions.duringMessage = [&](const std::string&) {
        if (nested) return;
        nested = true;
        // The list dialog's OK rebuilds; ticks keep coming in the box's loop.
        h.list = {at(9, 1, "rebuilt " + std::string(200, 'x'))};
        h.check.rebuild();
        h.check.onDay(8);
        h.check.onMinute({2001, 8, 7, 9, 0}, h.actions);
        h.check.onMinute({2001, 8, 7, 9, 1}, h.actions);
    };
    const Messages seen = h.tick(9, 0);
    EXPECT_EQ(seen, (Messages{"09:00 - first", "09:01 - rebuilt " + std::string(200, 'x'),
                              "09:00 - second"}));
    EXPECT_EQ(h.check.today().size(), 1u);
    EXPECT_EQ(h.tick(9, 1), Messages{});
}

TEST(ReminderCheckNesting, TickDuringTheCatchUpStartsNoSecondPass) {
    Harness h({at(8, 0, "caught up"), at(9, 0, "now"), at(9, 1, "next")});
    h.actions.duringMessage = [&](const std::string& text) {
        if (text != "08:00 - caught up") return;
        h.check.onMinute({2001, 8, 7, 9, 0}, h.actions);
        h.check.onMinute({2001, 8, 7, 9, 1}, h.actions);
    };
    EXPECT_EQ(h.tick(9, 0), (Messages{"08:00 - caught up", "09:01 - next", "09:00 - now"}));
}

TEST(ReminderCheckMemory, RunningOutOfMemoryEndsThePassNotTheProgram) {
    Harness h({at(8, 0, "caught up"), at(8, 30, "lost with the pass"), at(9, 1, "next")});
    h.actions.duringMessage = [](const std::string& text) {
        if (text == "08:00 - caught up") throw std::bad_alloc();
    };
    EXPECT_NO_THROW(EXPECT_EQ(h.tick(9, 0), Messages{"08:00 - caught up"}));
    EXPECT_EQ(h.tick(9, 1), Messages{"09:01 - next"});

    // A rebuild that runs out of memory leaves no list, not the old date's.
    ReminderCheck check({true, true}, kNever, []() -> TodayList { throw std::bad_alloc(); });
    EXPECT_NO_THROW(check.onDay(8));
    EXPECT_TRUE(check.today().empty());
}

}  // namespace
}  // namespace tikkano
