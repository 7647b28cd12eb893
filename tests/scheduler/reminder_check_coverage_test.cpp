#include "scheduler/reminder_check.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "settings_file/settings.h"
#include "support/memory_profile.h"
#include "scheduler/reminder_check_support.h"

namespace tikkano {
namespace {

using namespace test;

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
