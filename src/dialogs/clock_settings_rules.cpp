#include "dialogs/clock_settings_rules.h"

#include "settings_file/settings.h"

namespace tikkano {

DisplayBoxes boxesForDisplay(int displayChoice, int memoryChoice) {
    const int bits = displayBits(displayChoice);
    const bool memoryShown = (bits & kShowsMemory) != 0;
    DisplayBoxes boxes;
    boxes.time = (bits & kShowsTime) != 0;
    boxes.date = (bits & kShowsDate) != 0;
    boxes.memory = memoryShown && (memoryChoice & kMemoryFigure) != 0;
    boxes.ram = memoryShown && (memoryChoice & kRamFigure) != 0;
    return boxes;
}

DisplayOutcome displayFromBoxes(const DisplayBoxes& boxes, int displayChoice, int memoryChoice) {
    DisplayOutcome outcome{false, displayChoice, memoryChoice};
    if (!boxes.time && !boxes.date && !boxes.memory && !boxes.ram) {
        outcome.nothingToShow = true;
        return outcome;
    }
    if (boxes.memory || boxes.ram)
        outcome.memoryChoice = (boxes.memory ? kMemoryFigure : 0) | (boxes.ram ? kRamFigure : 0);
    const int bits = (boxes.time ? kShowsTime : 0) | (boxes.date ? kShowsDate : 0) |
                     (boxes.memory || boxes.ram ? kShowsMemory : 0);
    for (int choice = 0; choice < 7; ++choice)
        if (displayBits(choice) == bits) {
            outcome.displayChoice = choice;
            break;
        }
    return outcome;
}

}  // namespace tikkano
