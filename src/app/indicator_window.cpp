#include "app/indicator_window.h"

#include "app/app_state.h"
#include "app/indicator_end.h"
#include "app/menu_ids.h"
#include "app/single_copy.h"
#include "app/system_menu.h"
#include "app/tray_menu.h"
#include "base/dialog_items.h"
#include "base/fault_point.h"
#include "base/gdi_guards.h"
#include "base/procedure_guard.h"
#include "calendar/calendar_dialog.h"
#include "dialogs/about_dialog.h"
#include "dialogs/clock_settings_dialog.h"
#include "base/wide_text.h"
#include "display/refresh.h"
#include "edition_choice.h"
#include "scheduler/scheduler.h"

namespace tikkano {
namespace {

// Ticks are aimed this long after the start of the next second, so that the
// new second is on screen as soon as it begins.
constexpr UINT kTickMargin = 10;

UINT taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace

void setTopmost(HWND window, bool topmost, UINT extraFlags) {
    // An owned popup is kept above its owner: with the hidden owner right below
    // the topmost windows, Wine would put the indicator back where it was and
    // leave it topmost. The owner at the bottom is harmless anywhere.
    if (!topmost)
        SetWindowPos(GetWindow(window, GW_OWNER), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | extraFlags);
}

namespace {

void armTimer(HWND window) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    SetTimer(window, kClockTimer, 1000 - now.wMilliseconds + kTickMargin, nullptr);
}

// The refresh's moments, as the rest of the program answers them.
class IndicatorRefreshEvents final : public RefreshEvents {
public:
    IndicatorRefreshEvents(AppState& state, HWND indicator) : state_(state), indicator_(indicator) {}
    void newDay(const SYSTEMTIME& now) override { remindersNewDay(*state_.reminders, now); }
    void newMinute(const SYSTEMTIME& now) override {
        remindersNewMinute(*state_.reminders, indicator_, now, state_.settings.language);
    }
    void textShown(const std::string& text) override { updateTrayTooltip(state_, indicator_, text); }

private:
    AppState& state_;
    HWND indicator_;
};

void refresh(HWND window, HDC dc) {
    AppState& state = app();
    IndicatorRefreshEvents events(state, window);
    refreshIndicator(window, dc,
                     RefreshContext{state.settings, state.profile, state.font.custom.get(), state.refreshMemory, events,
                                    state.inTray});
}

LRESULT onCreate(HWND window) {
    AppState& state = app();
    // Known from here on, so that a close of the owner reaches it even while
    // the first reminders of the start are on screen.
    state.indicator = window;
    buildSystemMenu(state, window);
    setTopmost(window, state.settings.topmost != 0, 0);
    applyMenuSettings(state);
    armTimer(window);
    // Closed in the tray last time: it starts there.
    if (state.settings.trayStatus) PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return 0;
}

LRESULT onPaint(HWND window) {
    PaintDc dc(window);
    refresh(window, dc.get());
    return 0;
}

// The settings file could not be read at start-up. Once it can, its settings,
// today's reminders and the catch-up from its LastTime are taken up as a start
// takes them; what the user changed in the meantime stays. Not while a dialog
// of the program is open: it would put back, at its OK, the settings it opened
// with. At the close only the settings are taken up.
void takeUpSettings(HWND window, bool closing) {
    AppState& state = app();
    if (!state.startedOnUnread || (!closing && !IsWindowEnabled(window)) || !state.profile.readable()) return;
    Settings read;
    loadSettings(state.profile, read, kEdition.keepsLastClosing);
    if (!state.profile.readable()) return;
    RECT rect{};
    GetWindowRect(window, &rect);
    Settings current = state.settings;
    current.x = rect.left;
    current.y = rect.top;
    current.trayStatus = state.inTray ? 1 : 0;
    state.settings = takenUpSettings(*state.startedOnUnread, current, read);
    state.startedOnUnread.reset();
    Settings& s = state.settings;
    SetWindowPos(window, nullptr, s.x, s.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (closing) return;
    applyIndicatorFont(s.font, state.font, indicatorFontRoom(window, s.x, s.y));
    setTopmost(window, s.topmost != 0, SWP_NOACTIVATE);
    applyMenuSettings(state);
    state.reminders->restart(s.lastClosing);
    if (s.trayStatus && !state.inTray) PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

LRESULT onTimer(HWND window) {
    // Aimed at the next second after the refresh, also when the refresh failed.
    const AtScopeEnd rearm([window] { armTimer(window); });
    // Before the refresh, so that its minute part runs the catch-up at once;
    // one that ran out of memory is tried again at the next tick.
    ranToEnd([&] { takeUpSettings(window, false); });
    WindowDc dc(window);
    refresh(window, dc.get());
    return 0;
}

LRESULT onHitTest(HWND window, WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

void showMenuAt(HWND window, HMENU menu, int x, int y) {
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
}

LRESULT onNonClientRightButton(HWND window, LPARAM lParam) {
    showMenuAt(window, GetSystemMenu(window, FALSE), static_cast<short>(LOWORD(lParam)),
               static_cast<short>(HIWORD(lParam)));
    return 0;
}

LRESULT onTrayCallback(HWND window, LPARAM lParam) {
    if (lParam == WM_LBUTTONDBLCLK) {
        openCalendar(window);
    } else if (lParam == WM_RBUTTONDOWN) {
        POINT cursor{};
        GetCursorPos(&cursor);
        SetForegroundWindow(window);
        showMenuAt(window, app().systemMenu, cursor.x, cursor.y);
    }
    return 0;
}

// Menu commands arrive as WM_SYSCOMMAND from the system menu and as WM_COMMAND
// from the popup; both end in the default handling of WM_SYSCOMMAND, so the
// standard items (move, close) work from either.
LRESULT onCommand(HWND window, WPARAM command, LPARAM lParam) {
    if (!runMenuCommand(window, command)) command = 0;
    return DefWindowProcW(window, WM_SYSCOMMAND, command, lParam);
}

LRESULT onTaskbarCreated(HWND window) {
    restoreTrayIcon(app(), window);
    return 0;
}

LRESULT dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return onCreate(window);
    case WM_PAINT: return onPaint(window);
    case WM_TIMER: return onTimer(window);
    case WM_NCHITTEST: return onHitTest(window, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: openCalendar(window); return 0;
    case WM_NCRBUTTONDOWN: return onNonClientRightButton(window, lParam);
    case kTrayCallback: return onTrayCallback(window, lParam);
    case WM_COMMAND:
    case WM_SYSCOMMAND: return onCommand(window, wParam, lParam);
    case WM_CLOSE: return closeIndicator(window, takeUpSettings);
    case WM_QUERYENDSESSION: return queryEndSession(window, takeUpSettings);
    case WM_ENDSESSION: return endSession(window, wParam != 0, takeUpSettings);
    default:
        if (message == taskbarCreatedMessage() && message != 0) return onTaskbarCreated(window);
        if (message == bringIntoViewMessage() && message != 0) return bringIntoView(app(), window), 0;
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK indicatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ranToEnd([&] { answer = dispatch(window, message, wParam, lParam); })) return answer;
    return failedMessageAnswer(message);
}

}  // namespace tikkano
