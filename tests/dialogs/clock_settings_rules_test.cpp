#include "dialogs/clock_settings_rules.h"

#include <gtest/gtest.h>

#include "settings_file/settings.h"

namespace tikkano {
namespace {

DisplayBoxes boxes(int mask) { return {(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, (mask & 8) != 0}; }

TEST(ClockSettingsRules, OkOverAllSixteenBoxCombinations) {
    // Box mask: 1 time, 2 date, 4 memory, 8 RAM -> display choice, memory choice
    // (memory choice 3 coming in, kept when no memory box is checked).
    struct Expected {
        int displayChoice;
        int memoryChoice;
    };
    const Expected expected[16] = {
        {-1, -1},  // nothing: the program ends
        {0, 3},    // time
        {1, 3},    // date
        {3, 3},    // time, date
        {2, 1},    // memory
        {4, 1},    // time, memory
        {5, 1},    // date, memory
        {6, 1},    // time, date, memory
        {2, 2},    // RAM
        {4, 2}, {5, 2}, {6, 2},
        {2, 3},    // memory, RAM
        {4, 3}, {5, 3}, {6, 3},
    };
    for (int mask = 0; mask < 16; ++mask) {
        const DisplayOutcome out = displayFromBoxes(boxes(mask), 5, 3);
        if (mask == 0) {
            EXPECT_TRUE(out.nothingToShow);
            EXPECT_EQ(out.displayChoice, 5) << "nothing to show leaves the display choice alone";
            EXPECT_EQ(out.memoryChoice, 3);
            continue;
        }
        EXPECT_FALSE(out.nothingToShow) << mask;
        EXPECT_EQ(out.displayChoice, expected[mask].displayChoice) << "boxes " << mask;
        EXPECT_EQ(out.memoryChoice, expected[mask].memoryChoice) << "boxes " << mask;
        // What OK chose opens again as the same boxes.
        EXPECT_EQ(boxesForDisplay(out.displayChoice, out.memoryChoice), boxes(mask)) << mask;
    }
    // Without memory boxes an earlier memory choice survives.
    EXPECT_EQ(displayFromBoxes(boxes(3), 6, 2).memoryChoice, 2);
}

TEST(ClockSettingsRules, BoxesAtOpening) {
    // Display choice 3 (time and date) with memory choice 3: memory boxes clear.
    EXPECT_EQ(boxesForDisplay(3, 3), (DisplayBoxes{true, true, false, false}));
    EXPECT_EQ(boxesForDisplay(6, 1), (DisplayBoxes{true, true, true, false}));
    EXPECT_EQ(boxesForDisplay(2, 2), (DisplayBoxes{false, false, false, true}));
    // Memory choice 0 shows no figure although the display choice asks for them.
    EXPECT_EQ(boxesForDisplay(2, 0), (DisplayBoxes{}));
    // Out of range choices open as the indicator shows them.
    EXPECT_EQ(boxesForDisplay(7, 3), (DisplayBoxes{true, false, false, false}));
    EXPECT_EQ(boxesForDisplay(-4, 3), (DisplayBoxes{true, true, false, false}));
}

}  // namespace
}  // namespace tikkano
