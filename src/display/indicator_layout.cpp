#include "display/indicator_layout.h"

#include <cstdio>

namespace tikkano {

std::string memoryFigureText(const MemoryFigures& memory) {
    // The sum wraps in 32 bits before the shift, as the figure always has.
    const std::uint32_t total = memory.availablePhysical + memory.availablePageFile;
    char text[32];
    std::snprintf(text, sizeof text, "%luk ", static_cast<unsigned long>(total >> 10));
    return text;
}

std::string ramFigureText(const MemoryFigures& memory, bool withLoad) {
    char text[48];
    if (withLoad)
        std::snprintf(text, sizeof text, "(%luk, %lu%%) ", static_cast<unsigned long>(memory.availablePhysical >> 10),
                      static_cast<unsigned long>(memory.memoryLoad));
    else
        std::snprintf(text, sizeof text, "%luk ", static_cast<unsigned long>(memory.availablePhysical >> 10));
    return text;
}

std::vector<Segment> buildSegments(const SegmentInputs& in) {
    std::vector<Segment> segments;
    if (in.displayBits & 1) segments.push_back({in.timeText, 1});
    if (in.displayBits & 2) segments.push_back({in.dateText, 2});
    if (in.displayBits & 4) {
        if (in.memoryChoice & 1) segments.push_back({memoryFigureText(in.memory), 3});
        if (in.memoryChoice & 2) segments.push_back({ramFigureText(in.memory, in.ramFigureWithLoad), 4});
    }
    return segments;
}

std::string joinSegments(const std::vector<Segment>& segments) {
    std::string text;
    for (const Segment& s : segments) text += s.text;
    return text;
}

IndicatorGeometry indicatorGeometry(int cx, int cy, bool border) {
    const int b = border ? 1 : 0;
    return {b, b - 1, cx + 2 * b, cy + 2 * b - 1};
}

int shownHeight(int height) { return height <= 0 ? 20 : height; }

int shownWidth(int width, int height) {
    const int minimum = height > 2 ? height : 20;
    return width > 2 ? width : minimum;
}

Shift keepOnScreen(const Rect& window, const Rect& desktop) {
    Shift shift;
    if (window.right > desktop.right) shift.dx = desktop.right - window.right, shift.needed = true;
    if (window.bottom > desktop.bottom) shift.dy = desktop.bottom - window.bottom, shift.needed = true;
    if (window.left + shift.dx < desktop.left) shift.dx = desktop.left - window.left, shift.needed = true;
    if (window.top + shift.dy < desktop.top) shift.dy = desktop.top - window.top, shift.needed = true;
    return shift;
}

std::string tooltipText(const std::string& indicatorText) { return indicatorText.substr(0, 63); }

}  // namespace tikkano
