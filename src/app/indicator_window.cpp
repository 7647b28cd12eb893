#include "app/indicator_window.h"

#include "app/app_state.h"
#include "app/menu_ids.h"
#include "app/tray_menu.h"
#include "base/dialog_items.h"
#include "base/fault_point.h"
#include "base/gdi_guards.h"
#include "base/procedure_guard.h"
#include "base/wide_text.h"
#include "calendar/calendar_dialog.h"
#include "dialogs/about_dialog.h"
#include "dialogs/clock_settings_dialog.h"
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

void setTopmost(HWND window, bool topmost, UINT extraFlags) {
    // An owned popup is kept above its owner: with the hidden owner right below
    // the topmost windows, Wine would put the indicator back where it was and
    // leave it topmost. The owner at the bottom is harmless anywhere.
    if (!topmost)
        SetWindowPos(GetWindow(window, GW_OWNER), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | extraFlags);
}

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
    void newMinute(const SYSTEMTIME& now) override { remindersNewMinute(*state_.reminders, indicator_, now); }
    void textShown(const std::string& text) override { updateTrayTooltip(state_, indicator_, text); }

private:
    AppState& state_;
    HWND indicator_;
};

void refresh(HWND window, HDC dc) {
    AppState& state = app();
    IndicatorRefreshEvents events(state, window);
    refreshIndicator(window, dc,
                     RefreshContext{state.settings, state.profile, state.font.custom.get(), state.refreshMemory, events});
}

void openCalendar(HWND window) {
    AppState& state = app();
    openCalendarDialog(window, CalendarContext{state.settings, state.profile, *state.reminders});
}

void openClockSettings(HWND window) {
    AppState& state = app();
    openClockSettingsDialog(window, ClockSettingsTarget{state.settings, state.font, state.customColours});
}

void openAbout(HWND window) {
    const AppState& state = app();
    openAboutDialog(window, state.instance, state.settings.language);
}

LRESULT onCreate(HWND window) {
    AppState& state = app();
    buildSystemMenu(state, window);
    setTopmost(window, state.settings.topmost != 0, 0);
    applyMenuLanguage(state);
    armTimer(window);
    if (state.settings.trayStatus) {
        state.settings.trayStatus = 0;
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    return 0;
}

LRESULT onPaint(HWND window) {
    PaintDc dc(window);
    refresh(window, dc.get());
    return 0;
}

void switchLanguage(bool russian) {
    AppState& state = app();
    checkLanguageItems(state, russian);
    applyMenuLanguage(state);
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
    state.settings = takenUpSettings(*state.startedOnUnread, current, read);
    state.startedOnUnread.reset();
    Settings& s = state.settings;
    SetWindowPos(window, nullptr, s.x, s.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (closing) return;
    applyIndicatorFont(s.font, state.font);
    setTopmost(window, s.topmost != 0, SWP_NOACTIVATE);
    CheckMenuItem(state.systemMenu, IDM_TOPMOST, MF_BYCOMMAND | (s.topmost ? MF_CHECKED : MF_UNCHECKED));
    switchLanguage(s.language == kRussian);
    state.reminders->restart(s.lastClosing);
    if (s.trayStatus && !current.trayStatus) {
        s.trayStatus = 0;
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
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

void toggleTopmost(HWND window) {
    AppState& state = app();
    const bool topmost = state.settings.topmost == 0;
    CheckMenuItem(state.systemMenu, IDM_TOPMOST, MF_BYCOMMAND | (topmost ? MF_CHECKED : MF_UNCHECKED));
    setTopmost(window, topmost, SWP_NOACTIVATE);
    state.settings.topmost = topmost ? 1 : 0;
}

// Menu commands arrive as WM_SYSCOMMAND from the system menu and as WM_COMMAND
// from the popup; both end in the default handling of WM_SYSCOMMAND, so the
// standard items (move, close) work from either.
LRESULT onCommand(HWND window, WPARAM command, LPARAM lParam) {
    switch (command) {
    case IDM_TOPMOST: toggleTopmost(window); break;
    case IDM_ABOUT: openAbout(window); break;
    case IDM_CLOCK: openClockSettings(window); break;
    case IDM_CALENDAR: openCalendar(window); break;
    case IDM_RUSSIAN: switchLanguage(true); break;
    case IDM_ENGLISH: switchLanguage(false); break;
    case SC_MINIMIZE:
        if (goToTray(app(), window)) ShowWindow(window, SW_HIDE);
        command = 0;
        break;
    case SC_RESTORE:
        if (app().settings.trayStatus) {
            leaveTray(app(), window);
            ShowWindow(window, SW_SHOW);
        }
        command = 0;
        break;
    default: break;
    }
    return DefWindowProcW(window, WM_SYSCOMMAND, command, lParam);
}

// The indicator goes first, so that its menu cannot ask for a second close
// while the message is up.
void tellNotSaved(HWND window) {
    ShowWindow(window, SW_HIDE);
    const Language language = app().settings.language;
    tell(window, kTextSettingsNotSaved, kTextNotSavedCaption, language, MB_ICONEXCLAMATION | MB_OK);
}

// The save at a close; false when it failed, also by running out of memory:
// the close goes on to its end whatever the save met.
bool savedAtClose(HWND window) noexcept {
    try {
        AppState& state = app();
        // When today's reminders were never read, the file keeps its LastTime:
        // the next start catches up what this run could not fire.
        const bool remindersRead = !state.startedOnUnread;
        takeUpSettings(window, true);
        faultPoint("close-save");
        RECT rect{};
        GetWindowRect(window, &rect);
        SYSTEMTIME now;
        GetLocalTime(&now);
        const Moment closing{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
        const Settings* unread = state.startedOnUnread ? &*state.startedOnUnread : nullptr;
        return saveSettings(state.profile, state.settings, rect.left, rect.top, closing,
                            kEdition.keepsLastClosing && remindersRead, unread);
    } catch (...) {
        return false;
    }
}

LRESULT onClose(HWND window, UINT message) {
    AppState& state = app();
    KillTimer(window, kClockTimer);
    const bool saved = savedAtClose(window);
    leaveTray(state, window);
    // Said once, at a close the user asked for; the end of a session shows nothing.
    if (!saved && message == WM_CLOSE) tellNotSaved(window);
    // The owner is asked directly: at start-up, while the first reminders are
    // still on screen, its handle has not been stored yet.
    SendMessageW(GetWindow(window, GW_OWNER), WM_CLOSE, 0, 0);
    // The window is gone now; answer as the default handling would.
    return message == WM_QUERYENDSESSION ? TRUE : 0;
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
    case WM_CLOSE:
    case WM_QUERYENDSESSION: return onClose(window, message);
    default:
        if (message == taskbarCreatedMessage() && message != 0) return onTaskbarCreated(window);
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
