#include "display/refresh.h"

#include <iterator>
#include <optional>

#include "base/fault_point.h"
#include "base/gdi_guards.h"
#include "display/datetime_format.h"
#include "edition_choice.h"
#include "settings_file/settings.h"

namespace tikkano {
namespace {

constexpr COLORREF kFrameLight = 0xFFFFFF;
constexpr COLORREF kFrameDark = 0x808080;

Rect toRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

Rect windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return toRect(r);
}

MemoryFigures readMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return {};
    return figuresOf32BitProgram({status.ullAvailPhys, status.ullAvailPageFile, status.dwMemoryLoad});
}

std::vector<Segment> makeSegments(const RefreshContext& context, const SYSTEMTIME& now, int bits) {
    const Settings& s = context.settings;
    SegmentInputs in;
    in.displayBits = bits;
    in.memoryChoice = s.memoryChoice;
    in.ramFigureWithLoad = kEdition.ramFigureWithLoad;
    if (bits & kShowsTime) in.timeText = timeText(s, now, context.memory.lastTimeText);
    if (bits & kShowsDate) in.dateText = dateText(s, now, context.memory.lastDateText);
    if (bits & kShowsMemory) in.memory = readMemory();
    return buildSegments(in);
}

void drawSegments(HDC dc, const Settings& s, const std::vector<Segment>& segments, const IndicatorGeometry& place) {
    SetTextAlign(dc, TA_UPDATECP);
    MoveToEx(dc, place.textX, place.textY, nullptr);
    SetBkColor(dc, s.colours[kBackground]);
    for (const Segment& segment : segments) {
        SetTextColor(dc, s.colours[segment.colourEntry]);
        TextOutA(dc, 0, 0, segment.text.c_str(), static_cast<int>(segment.text.size()));
    }
}

// A line with nothing to show still shows its square in the background colour.
void fillBackground(HDC dc, COLORREF colour, int width, int height) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    const RECT area{0, 0, width, height};
    FillRect(dc, &area, brush.get());
}

void drawFrame(HDC dc, int width, int height) {
    {
        OwnedPen light(CreatePen(PS_SOLID, 1, kFrameLight));
        Selection selected(dc, light.get());
        MoveToEx(dc, 0, height - 1, nullptr);
        LineTo(dc, 0, 0);
        LineTo(dc, width - 1, 0);
    }
    OwnedPen dark(CreatePen(PS_SOLID, 1, kFrameDark));
    Selection selected(dc, dark.get());
    LineTo(dc, width - 1, height - 1);
    LineTo(dc, 0, height - 1);
}

void resizeTo(HWND indicator, int width, int height) {
    const Rect now = windowRect(indicator);
    if (now.width() != width || now.height() != height)
        SetWindowPos(indicator, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The monitors as EnumDisplayMonitors reports them, gathered without allocating
// (nothing may be thrown through the system's frames).
struct MonitorList {
    Rect rects[16];
    int count = 0;
};

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
    auto& monitors = *reinterpret_cast<MonitorList*>(list);
    if (monitors.count < static_cast<int>(std::size(monitors.rects))) monitors.rects[monitors.count++] = toRect(*area);
    return TRUE;
}

// The monitors' whole rectangles, taskbar included. With one monitor the desktop
// window's client rectangle, the whole screen, as a program for one screen sees it.
std::vector<Rect> monitorRects() {
    MonitorList list;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&list));
    if (list.count > 1) return {list.rects, list.rects + list.count};
    RECT desktop{};
    GetClientRect(GetDesktopWindow(), &desktop);
    return {toRect(desktop)};
}

// Moves the indicator to where it was last seen on a desktop of the new size, and
// keeps it on its monitor.
void placeOnScreen(HWND indicator, const RefreshContext& context) {
    RefreshMemory& memory = context.memory;
    const std::vector<Rect> monitors = monitorRects();
    const Rect desktop = boundingBox(monitors);
    const Rect seen = memory.desktopSeen;
    Rect window = windowRect(indicator);
    bool mustMove = false;

    if (seen.right != 0 && kEdition.remembersScreenPlaces) {
        const DesktopChange change = desktopChange(window, seen, desktop);
        for (int i = 0; i < change.count; ++i) {
            const AxisChange& axis = change.axes[i];
            if (const std::optional<int> kept =
                    swapScreenPlace(context.profile, axis.axis, axis.place, axis.oldExtent, axis.newExtent))
                window = placedOnAxis(window, desktop, axis.axis, *kept);
        }
        mustMove = change.count > 0;
    }
    memory.desktopSeen = desktop;

    const Place place = keepOnMonitor(window, monitors);
    if (mustMove || place.moved)
        SetWindowPos(indicator, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void refreshIndicator(HWND indicator, HDC dc, const RefreshContext& context) {
    faultPoint("refresh");
    Settings& s = context.settings;
    RefreshMemory& memory = context.memory;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const bool drawing = !context.inTray;
    const bool border = s.border != 0;

    const std::vector<Segment> segments = makeSegments(context, now, displayBits(s.displayChoice));
    const std::string text = joinSegments(segments);

    // The font is selected only to draw and measure: the reminder check below may
    // run a message box's loop, in which the font can be replaced and deleted.
    SIZE extent{};
    if (drawing) {
        Selection font(dc, context.font);
        drawSegments(dc, s, segments, indicatorGeometry(0, 0, border));
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    }

    if (now.wDay != memory.lastDay) {
        memory.lastDay = now.wDay;
        context.events.newDay(now);
        SetWindowTextA(indicator, dateText(s, now, memory.lastDateText).c_str());
    }
    context.events.newMinute(now);
    context.events.textShown(text);
    if (!drawing) return;

    const IndicatorGeometry geometry = indicatorGeometry(extent.cx, extent.cy, border);
    const int height = shownHeight(geometry.height);
    const int width = shownWidth(geometry.width, height);
    if (segments.empty()) fillBackground(dc, s.colours[kBackground], width, height);
    if (border) drawFrame(dc, width, geometry.height);
    resizeTo(indicator, width, height);
    placeOnScreen(indicator, context);
}

}  // namespace tikkano
