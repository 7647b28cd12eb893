// Start-up: settings, window classes, the hidden owner window and the message loop.
#include <windows.h>

#include <new>

#include "app/app_state.h"
#include "app/indicator_window.h"
#include "base/procedure_guard.h"
#include "edition_choice.h"
#include "scheduler/scheduler.h"
#include "settings_file/file_system.h"

namespace tikkano {
namespace {

constexpr wchar_t kOwnerClass[] = L"Comdlg32WClass";

LRESULT onOwnerCreate(HWND owner) {
    AppState& state = app();
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    const Settings& s = state.settings;
    HWND indicator = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kIndicatorClass, L"Horvik",
                                     WS_POPUP | WS_SYSMENU, s.x, s.y, 3, 3, owner, nullptr, instance, nullptr);
    // Without its indicator the program would run on invisibly with no way to
    // reach it: fail the owner's creation instead, which ends the program.
    if (!indicator) return -1;
    markIndicator(indicator, state.claim);
    ShowWindow(indicator, SW_SHOW);
    UpdateWindow(indicator);
    state.indicator = indicator;
    return 0;
}

// A close of the hidden owner (as the task list asks it) is the indicator's
// close, with its save.
LRESULT onOwnerClose(HWND owner) {
    HWND indicator = app().indicator;
    if (indicator && IsWindow(indicator))
        SendMessageW(indicator, WM_CLOSE, 0, 0);
    else
        DestroyWindow(owner);
    return 0;
}

LRESULT onOwnerDestroy() {
    PostQuitMessage(0);
    return 0;
}

LRESULT dispatchOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return onOwnerCreate(window);
    case WM_CLOSE: return onOwnerClose(window);
    case WM_DESTROY: return onOwnerDestroy();
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ranToEnd([&] { answer = dispatchOwner(window, message, wParam, lParam); })) return answer;
    return failedMessageAnswer(message);
}

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, int brush) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(brush));
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

// Backup, sync and virus-scanning programs hold a file for a few seconds,
// often at logon, when the clock starts.
constexpr int kReadableChecks = 30;
constexpr DWORD kReadablePause = 100;  // ms

void loadStartupSettings(AppState& state, const std::string& path) {
    state.profile = ProfileFile(path);
    // A save killed halfway never leaves its copy in the file's place.
    recoverInterruptedSave(state.profile.location());
    prepareFontChooser(state.font);
    try {
        if (awaitReadable(state.profile, kReadableChecks, [] { Sleep(kReadablePause); })) {
            loadSettings(state.profile, state.settings, kEdition.keepsLastClosing);
            // Held again while it was read: what came back were the defaults.
            if (!state.profile.readable()) state.settings = Settings();
        }
        if (!state.profile.readable()) state.startedOnUnread = state.settings;
    } catch (const std::bad_alloc&) {
        // A start with the defaults rather than no start at all.
        state.settings = Settings();
    }
    applyIndicatorFont(state.settings.font, state.font,
                       indicatorFontRoom(nullptr, state.settings.x, state.settings.y));
    state.reminders = startReminders(state.profile, state.settings.lastClosing, [&state](const ClockStamp& covered) {
        // A file never read keeps its LastTime: the next start catches up
        // what this run could not fire. A stamp that cannot be written is
        // only lost; the reminders fire all the same.
        if (kEdition.keepsLastClosing && !state.startedOnUnread) (void)saveLastTime(state.profile, covered);
    });
}

}  // namespace

AppState& app() {
    static AppState state;
    return state;
}

}  // namespace tikkano

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace tikkano;
    AppState& state = app();
    // Before anything reads the file: a second copy on it neither reads nor writes it.
    const std::string path = settingsFilePath(kEdition.settingsBesideProgram);
    state.claim = claimFor(path);
    if (!takeSettingsFile(state.claim)) return 0;
    loadStartupSettings(state, path);

    if (!registerClass(instance, kOwnerClass, ownerProc, WHITE_BRUSH)) return 0;
    if (!registerClass(instance, kIndicatorClass, indicatorProc, BLACK_BRUSH)) return 0;

    state.instance = instance;
    HWND owner = CreateWindowExW(0, kOwnerClass, L"Clk", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                 nullptr, nullptr, instance, nullptr);
    if (!owner) return 0;
    state.owner = owner;
    ShowWindow(owner, SW_HIDE);
    UpdateWindow(owner);

    // GetMessageW answers -1 on failure and then fills nothing in: only a
    // WM_QUIT gives the exit code.
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}
