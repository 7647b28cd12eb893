// What the indicator line says and how big and where its window is, as plain
// arithmetic; the refresh applies it to the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tikkano {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct Segment {
    std::string text;
    int colourEntry;  // index into the colour table
};

struct MemoryFigures {
    std::uint32_t availablePhysical = 0;   // bytes
    std::uint32_t availablePageFile = 0;   // bytes
    std::uint32_t memoryLoad = 0;          // per cent
};

// Free memory as the system counts it, in bytes, whatever the program's width.
struct MemoryStatus {
    std::uint64_t availablePhysical = 0;
    std::uint64_t availablePageFile = 0;  // what may still be committed, physical memory included
    std::uint32_t memoryLoad = 0;         // per cent
};

// The figures as the shipped 32-bit program reads them (GlobalMemoryStatus): it
// is not large-address-aware, so free physical memory stops at 2 GB - 1 byte,
// and the page file is cut so that both together stay below 2 GB, a sum taken
// in 32 bits as the system takes it. The 64-bit builds show the same.
MemoryFigures figuresOf32BitProgram(const MemoryStatus& status);

struct SegmentInputs {
    int displayBits = 0;    // 1 time, 2 date, 4 memory figures
    int memoryChoice = 0;   // bit 0 memory figure, bit 1 RAM figure
    std::string timeText;   // already padded with a blank on each side
    std::string dateText;
    MemoryFigures memory;
    bool ramFigureWithLoad = false;
};

// The segments of the line in display order: time, date, memory figure, RAM figure.
std::vector<Segment> buildSegments(const SegmentInputs& in);
std::string joinSegments(const std::vector<Segment>& segments);

std::string memoryFigureText(const MemoryFigures& memory);
std::string ramFigureText(const MemoryFigures& memory, bool withLoad);

struct IndicatorGeometry {
    int textX = 0;
    int textY = 0;
    int width = 0;
    int height = 0;  // before the empty-height rule
};

// Window size for a text of cx by cy pixels, with or without the 3-D frame.
IndicatorGeometry indicatorGeometry(int cx, int cy, bool border);
// A height of 0 (or less, for a font that measures nothing) is replaced by 20; an empty line keeps a square the user can still
// grab and right-click instead of a window of no width.
int shownHeight(int height);
int shownWidth(int width, int height);

// The font height (a LOGFONT's lfHeight) to ask for so that the indicator's
// line fits `room` pixels, when that line stands `measured` pixels high in a
// font of `requested` height: the height itself when it fits (or no room is
// known), else one cut in proportion, its sign (character or cell height)
// kept and never 0, which would mean the default size.
int fittedFontHeight(int requested, int measured, int room);

// `window` moved to (left, top) with its size. A place so far off that an edge
// would leave the range of int is moved back just enough to keep it in range.
Rect movedTo(const Rect& window, int left, int top);

// Where `window` must go to lie inside `desktop`; the left and top edges win when
// the window is bigger than the desktop. Any rectangles, however far off, give a
// place within range.
struct Place {
    int left = 0;
    int top = 0;
    bool moved = false;
};
Place keepOnScreen(const Rect& window, const Rect& desktop);

// The monitor `window` belongs on: the one it overlaps most (the first of equals),
// else the nearest. Null when there is no monitor.
const Rect* homeMonitor(const Rect& window, const std::vector<Rect>& monitors);
// Where `window` must go to lie wholly on its home monitor, as keepOnScreen keeps
// it on a desktop; with no monitor it stays. With one monitor this is exactly
// keepOnScreen on that monitor.
Place keepOnMonitor(const Rect& window, const std::vector<Rect>& monitors);
// The bounding box of all monitors, the virtual screen (empty with none).
Rect boundingBox(const std::vector<Rect>& monitors);

// A change of the desktop (the bounding box of all monitors) from `seen` to
// `now`, axis by axis: on each axis whose extent changed, the window's place on
// it and the old and new extents. The position memory keeps one place per
// extent. Places are counted from the desktop's left and top edges, so one on a
// monitor left of or above the primary is greater than 0 and 0 or less still
// means none; with one monitor they are the coordinates themselves.
struct AxisChange {
    char axis;  // 'X' or 'Y', as the keys name it
    int place;
    int oldExtent;
    int newExtent;
};
struct DesktopChange {
    AxisChange axes[2];
    int count = 0;  // 0: the extents are the same and the window stays
};
DesktopChange desktopChange(const Rect& window, const Rect& seen, const Rect& now);
// `window` moved on `axis` to `place`, counted from the edge of the desktop `now`.
Rect placedOnAxis(const Rect& window, const Rect& now, char axis, int place);

// The tooltip field of the tray record the program hands over (the first
// NOTIFYICONDATA layout): 64 bytes, so 63 characters and the terminator.
constexpr std::size_t kTooltipField = 64;
// Copies as much of `text` as a field of `capacity` bytes holds, terminated,
// and touches nothing past the field.
void copyTooltip(const std::string& text, char* field, std::size_t capacity);

}  // namespace tikkano
