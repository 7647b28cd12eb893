#include "display/indicator_layout.h"

#include <algorithm>
#include <climits>

#include "base/text_format.h"

namespace tikkano {

MemoryFigures figuresOf32BitProgram(const MemoryStatus& status) {
    constexpr std::uint32_t kTwoGigabytes = 0x80000000u;
    MemoryFigures figures;
    figures.availablePhysical =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(status.availablePhysical, kTwoGigabytes - 1));
    figures.availablePageFile =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(status.availablePageFile, UINT32_MAX));
    if (figures.availablePhysical + figures.availablePageFile >= kTwoGigabytes)
        figures.availablePageFile = kTwoGigabytes - figures.availablePhysical - 1;
    figures.memoryLoad = status.memoryLoad;
    return figures;
}

std::string memoryFigureText(const MemoryFigures& memory) {
    // The sum wraps in 32 bits before the shift, as the figure always has.
    const std::uint32_t total = memory.availablePhysical + memory.availablePageFile;
    char text[32];
    formatTo(text, sizeof text, "%luk ", static_cast<unsigned long>(total >> 10));
    return text;
}

std::string ramFigureText(const MemoryFigures& memory, bool withLoad) {
    char text[48];
    if (withLoad)
        formatTo(text, sizeof text, "(%luk, %lu%%) ", static_cast<unsigned long>(memory.availablePhysical >> 10),
                 static_cast<unsigned long>(memory.memoryLoad));
    else
        formatTo(text, sizeof text, "%luk ", static_cast<unsigned long>(memory.availablePhysical >> 10));
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

int fittedFontHeight(int requested, int measured, int room) {
    if (requested == 0 || room <= 0 || measured <= room) return requested;
    const long long magnitude = requested < 0 ? -static_cast<long long>(requested) : requested;
    // Below the height asked, as room < measured; the smallest font is one pixel high.
    const long long cut = std::max<long long>(magnitude * room / measured, 1);
    return static_cast<int>(requested < 0 ? -cut : cut);
}

namespace {

int clampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// One axis of keepOnScreen: the far edge is brought level first, the near edge wins.
long long keptStart(long long start, long long end, long long screenStart, long long screenEnd, bool& moved) {
    long long placed = start;
    if (end > screenEnd) placed = screenEnd - (end - start);
    if (placed < screenStart) placed = screenStart;
    if (placed != start) moved = true;
    return placed;
}

// A start on one axis moved back just enough that start + length stays an int.
int startInRange(int start, long long length) {
    const long long lowest = std::max<long long>(INT_MIN, INT_MIN - length);
    const long long highest = std::min<long long>(INT_MAX, INT_MAX - length);
    return static_cast<int>(std::clamp<long long>(start, lowest, highest));
}

}  // namespace

Rect movedTo(const Rect& window, int left, int top) {
    const long long width = static_cast<long long>(window.right) - window.left;
    const long long height = static_cast<long long>(window.bottom) - window.top;
    const int x = startInRange(left, width);
    const int y = startInRange(top, height);
    return {x, y, static_cast<int>(x + width), static_cast<int>(y + height)};
}

Place keepOnScreen(const Rect& window, const Rect& desktop) {
    // In 64 bits every difference of two ints is exact; the place found lies on
    // the desktop or is the window's own, so it fits an int again.
    Place place;
    place.left = clampToInt(keptStart(window.left, window.right, desktop.left, desktop.right, place.moved));
    place.top = clampToInt(keptStart(window.top, window.bottom, desktop.top, desktop.bottom, place.moved));
    return place;
}

namespace {

// Length of the overlap of [start, end) and [otherStart, otherEnd), 0 when apart.
long long overlap(long long start, long long end, long long otherStart, long long otherEnd) {
    return std::max(0LL, std::min(end, otherEnd) - std::max(start, otherStart));
}

// How far apart two spans are, 0 when they touch or overlap.
double gap(long long start, long long end, long long otherStart, long long otherEnd) {
    return static_cast<double>(std::max({0LL, otherStart - end, start - otherEnd}));
}

}  // namespace

const Rect* homeMonitor(const Rect& window, const std::vector<Rect>& monitors) {
    const Rect* best = nullptr;
    // In double, the product of two spans of any ints neither overflows nor misorders.
    double bestArea = 0;
    for (const Rect& m : monitors) {
        const double area = static_cast<double>(overlap(window.left, window.right, m.left, m.right)) *
                            static_cast<double>(overlap(window.top, window.bottom, m.top, m.bottom));
        if (area > bestArea) best = &m, bestArea = area;
    }
    if (best) return best;
    double bestDistance = 0;
    for (const Rect& m : monitors) {
        const double dx = gap(window.left, window.right, m.left, m.right);
        const double dy = gap(window.top, window.bottom, m.top, m.bottom);
        const double distance = dx * dx + dy * dy;
        if (!best || distance < bestDistance) best = &m, bestDistance = distance;
    }
    return best;
}

Place keepOnMonitor(const Rect& window, const std::vector<Rect>& monitors) {
    const Rect* home = homeMonitor(window, monitors);
    if (!home) return {window.left, window.top, false};
    return keepOnScreen(window, *home);
}

Rect boundingBox(const std::vector<Rect>& monitors) {
    if (monitors.empty()) return {};
    Rect box = monitors.front();
    for (const Rect& m : monitors) {
        box.left = std::min(box.left, m.left);
        box.top = std::min(box.top, m.top);
        box.right = std::max(box.right, m.right);
        box.bottom = std::max(box.bottom, m.bottom);
    }
    return box;
}

DesktopChange desktopChange(const Rect& window, const Rect& seen, const Rect& now) {
    DesktopChange change;
    if (now.width() != seen.width())
        change.axes[change.count++] = {'X', clampToInt(static_cast<long long>(window.left) - seen.left), seen.width(),
                                       now.width()};
    if (now.height() != seen.height())
        change.axes[change.count++] = {'Y', clampToInt(static_cast<long long>(window.top) - seen.top), seen.height(),
                                       now.height()};
    return change;
}

Rect placedOnAxis(const Rect& window, const Rect& now, char axis, int place) {
    return axis == 'X' ? movedTo(window, now.left + place, window.top) : movedTo(window, window.left, now.top + place);
}

void copyTooltip(const std::string& text, char* field, std::size_t capacity) {
    if (capacity == 0) return;
    const std::size_t length = std::min(text.size(), capacity - 1);
    text.copy(field, length);
    field[length] = '\0';
}

}  // namespace tikkano
