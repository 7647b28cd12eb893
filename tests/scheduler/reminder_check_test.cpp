#include "scheduler/reminder_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scheduler/reminder_check_support.h"
#include "support/memory_profile.h"

namespace tikkano {
namespace {

using namespace test;

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

}  // namespace
}  // namespace tikkano
