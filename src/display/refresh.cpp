#include "display/refresh.h"

#include "app/app_state.h"
#include "base/fault_point.h"
#include "base/gdi_guards.h"
#include "app/tray_menu.h"
#include "display/datetime_format.h"
#include "display/indicator_layout.h"
#include "edition_choice.h"
#include "scheduler/scheduler.h"

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

std::vector<Segment> makeSegments(AppState& state, const SYSTEMTIME& now, int bits) {
    const Settings& s = state.settings;
    SegmentInputs in;
    in.displayBits = bits;
    in.memoryChoice = s.memoryChoice;
    in.ramFigureWithLoad = kEdition.ramFigureWithLoad;
    if (bits & kShowsTime) in.timeText = timeText(s, now, state.lastTimeText);
    if (bits & kShowsDate) in.dateText = dateText(s, now, state.lastDateText);
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

// Moves the indicator to where it was last seen on a screen of the new size, and
// keeps it on the screen.
void placeOnScreen(HWND indicator) {
    AppState& state = app();
    RECT desktopRect{};
    GetClientRect(GetDesktopWindow(), &desktopRect);
    const Rect desktop = toRect(desktopRect);
    Rect window = windowRect(indicator);
    bool mustMove = false;

    if (state.desktopSeen.right != 0 && kEdition.remembersScreenPlaces) {
        if (desktop.right != state.desktopSeen.right) {
            const int left =
                rememberScreenPlace(state.profile, 'X', window.left, state.desktopSeen.right, desktop.right);
            window = movedTo(window, left, window.top);
            mustMove = true;
        }
        if (desktop.bottom != state.desktopSeen.bottom) {
            const int top =
                rememberScreenPlace(state.profile, 'Y', window.top, state.desktopSeen.bottom, desktop.bottom);
            window = movedTo(window, window.left, top);
            mustMove = true;
        }
    }
    state.desktopSeen = desktop;

    const Place place = keepOnScreen(window, desktop);
    if (mustMove || place.moved)
        SetWindowPos(indicator, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void refreshIndicator(HWND indicator, HDC dc) {
    faultPoint("refresh");
    AppState& state = app();
    Settings& s = state.settings;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const bool drawing = s.trayStatus == 0;
    const bool border = s.border != 0;

    s.displayChoice = normalisedDisplayChoice(s.displayChoice);
    const std::vector<Segment> segments = makeSegments(state, now, displayBits(s.displayChoice));
    const std::string text = joinSegments(segments);

    // The font is selected only to draw and measure: the reminder check below may
    // run a message box's loop, in which the font can be replaced and deleted.
    SIZE extent{};
    if (drawing) {
        Selection font(dc, state.customFont.get());
        drawSegments(dc, s, segments, indicatorGeometry(0, 0, border));
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    }

    if (now.wDay != state.lastRefreshDay) {
        state.lastRefreshDay = now.wDay;
        remindersNewDay(now);
        SetWindowTextA(indicator, dateText(s, now, state.lastDateText).c_str());
    }
    remindersNewMinute(indicator, now);
    updateTrayTooltip(state, indicator, text);
    if (!drawing) return;

    const IndicatorGeometry geometry = indicatorGeometry(extent.cx, extent.cy, border);
    const int height = shownHeight(geometry.height);
    const int width = shownWidth(geometry.width, height);
    if (segments.empty()) fillBackground(dc, s.colours[kBackground], width, height);
    if (border) drawFrame(dc, width, geometry.height);
    resizeTo(indicator, width, height);
    placeOnScreen(indicator);
}

}  // namespace tikkano
