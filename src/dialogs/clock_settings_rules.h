// What the clock settings dialog's four display boxes mean: the check states
// they open with, and what OK makes of them. Plain data, no windows.
#pragma once

namespace tikkano {

// The four boxes in dialog order: time, date, memory figure, RAM figure.
struct DisplayBoxes {
    bool time = false;
    bool date = false;
    bool memory = false;
    bool ram = false;

    bool operator==(const DisplayBoxes& other) const {
        return time == other.time && date == other.date && memory == other.memory && ram == other.ram;
    }
};

// Check states at opening. The memory boxes open checked only when the display
// choice shows the memory figures at all.
DisplayBoxes boxesForDisplay(int displayChoice, int memoryChoice);

struct DisplayOutcome {
    bool nothingToShow = false;  // all four boxes clear: the program ends
    int displayChoice = 0;
    int memoryChoice = 0;
};

// What OK makes of the boxes. With neither memory box checked the memory
// choice keeps `memoryChoice`, so it is there again when the figures come back.
// With nothing to show, the choices are returned unchanged.
DisplayOutcome displayFromBoxes(const DisplayBoxes& boxes, int displayChoice, int memoryChoice);

}  // namespace tikkano
