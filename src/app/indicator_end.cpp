#include "app/indicator_end.h"

#include "app/app_state.h"
#include "app/indicator_window.h"
#include "app/tray_menu.h"
#include "base/dialog_items.h"
#include "base/fault_point.h"
#include "base/wide_text.h"
#include "edition_choice.h"

namespace tikkano {
namespace {

Moment localMinute() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

// The save of an end with the moment and tray flag it was asked for at; false
// when it failed, also by running out of memory.
bool savedAtEnd(HWND window, const Moment& at, int trayStatus, TakeUp takeUp, bool closing) noexcept {
    try {
        AppState& state = app();
        // When today's reminders were never read, the file keeps its LastTime:
        // the next start catches up what this run could not fire.
        const bool remindersRead = !state.startedOnUnread;
        takeUp(window, closing);
        faultPoint("close-save");
        RECT rect{};
        GetWindowRect(window, &rect);
        // A save tried again after the icon has gone still says where the program was.
        state.settings.trayStatus = trayStatus;
        const Settings* unread = state.startedOnUnread ? &*state.startedOnUnread : nullptr;
        // Never back from what the reminders covered (the clock set back, the
        // hour autumn repeats): the next start would fire those minutes again.
        const Moment closing = laterStamp(at, state.reminders->coverage());
        return saveSettings(state.profile, state.settings, rect.left, rect.top, closing,
                            kEdition.keepsLastClosing && remindersRead, unread);
    } catch (...) {
        return false;
    }
}

// True for Retry. The indicator goes first: the program is on its way out.
bool askToRetry(HWND window) {
    AppState& state = app();
    ShowWindow(window, SW_HIDE);
    const Language language = state.settings.language;
    const int reason = state.profile.folderInPlace() ? kTextSettingsFolderAtClose : kTextSettingsNotSaved;
    const std::wstring message = uiText(reason, language) + L"\n\n" + uiText(kTextCloseRetry, language);
    const int answer = tell(window, message, kTextNotSavedCaption, language, MB_ICONEXCLAMATION | MB_RETRYCANCEL);
    // The session may have ended while the question was up: nothing is left to retry.
    return answer == IDRETRY && !state.ending.ended;
}

void endProgram(HWND window) {
    AppState& state = app();
    if (state.ending.ended) return;
    state.ending.ended = true;
    KillTimer(window, kClockTimer);
    leaveTray(state, window);
    // The owner is found from the indicator: at start-up, while the first
    // reminders are still on screen, its handle has not been stored yet. It
    // takes the indicator with it and ends the message loop.
    DestroyWindow(GetWindow(window, GW_OWNER));
}

}  // namespace

LRESULT closeIndicator(HWND window, TakeUp takeUp) {
    AppState& state = app();
    Ending& ending = state.ending;
    if (ending.closing || ending.ended) return 0;
    ending.closing = true;
    KillTimer(window, kClockTimer);
    ending.closedAt = localMinute();
    ending.trayAtClose = state.inTray ? 1 : 0;
    bool saved = savedAtEnd(window, ending.closedAt, ending.trayAtClose, takeUp, true);
    leaveTray(state, window);
    while (!saved && !ending.ended && askToRetry(window))
        saved = savedAtEnd(window, ending.closedAt, ending.trayAtClose, takeUp, true);
    endProgram(window);
    return 0;
}

LRESULT queryEndSession(HWND window, TakeUp takeUp) {
    AppState& state = app();
    Ending& ending = state.ending;
    if (ending.ended) return TRUE;
    ending.queried = true;
    // While a close's question is up, the save is the close's.
    if (ending.closing)
        savedAtEnd(window, ending.closedAt, ending.trayAtClose, takeUp, true);
    else
        savedAtEnd(window, localMinute(), state.inTray ? 1 : 0, takeUp, false);
    return TRUE;
}

LRESULT endSession(HWND window, bool sessionEnds, TakeUp takeUp) {
    AppState& state = app();
    Ending& ending = state.ending;
    const bool queried = ending.queried;
    ending.queried = false;
    if (!sessionEnds || ending.ended) return 0;
    if (!queried) {
        KillTimer(window, kClockTimer);
        if (ending.closing)
            savedAtEnd(window, ending.closedAt, ending.trayAtClose, takeUp, true);
        else
            savedAtEnd(window, localMinute(), state.inTray ? 1 : 0, takeUp, true);
    }
    endProgram(window);
    return 0;
}

}  // namespace tikkano
