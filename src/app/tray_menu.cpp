#include "app/tray_menu.h"

#include <shellapi.h>

#include "app/app_state.h"
#include "app/icon_ids.h"
#include "app/menu_ids.h"
#include "app/indicator_window.h"
#include "app/system_menu.h"
#include "base/late_bound.h"
#include "base/wide_text.h"
#include "display/indicator_layout.h"

namespace tikkano {
namespace {

constexpr UINT kTrayIconId = 1;

NOTIFYICONDATAA trayRecord(HWND indicator) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = indicator;
    record.uID = kTrayIconId;
    return record;
}

bool addTrayIcon(const AppState& state, HWND indicator) {
    NOTIFYICONDATAA record = trayRecord(indicator);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayCallback;
    // Shared: loaded once and kept by the system, never destroyed. A private
    // copy loaded at every trip to the tray and destroyed after it leaves some
    // memory behind each time under Wine.
    record.hIcon = static_cast<HICON>(LoadImageW(state.instance, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                 LR_DEFAULTCOLOR | LR_SHARED));
    return late::shellNotifyIcon(NIM_ADD, &record) != FALSE;
}

}  // namespace

bool goToTray(AppState& state, HWND indicator) {
    if (state.inTray) return true;
    if (!addTrayIcon(state, indicator)) return false;
    ModifyMenuW(state.systemMenu, SC_MINIMIZE, MF_BYCOMMAND | MF_STRING, SC_RESTORE,
                menuItemText(state, SC_RESTORE).c_str());
    state.inTray = true;
    return true;
}

void leaveTray(AppState& state, HWND indicator) {
    if (!state.inTray) return;
    NOTIFYICONDATAA record = trayRecord(indicator);
    late::shellNotifyIcon(NIM_DELETE, &record);
    ModifyMenuW(state.systemMenu, SC_RESTORE, MF_BYCOMMAND | MF_STRING, SC_MINIMIZE,
                menuItemText(state, SC_MINIMIZE).c_str());
    state.inTray = false;
}

void bringIntoView(AppState& state, HWND indicator) {
    leaveTray(state, indicator);
    SetWindowPos(indicator, state.settings.topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(indicator);
}

void restoreTrayIcon(AppState& state, HWND indicator) {
    if (state.inTray) addTrayIcon(state, indicator);
}

void updateTrayTooltip(const AppState& state, HWND indicator, const std::string& text) {
    if (!state.inTray) return;
    NOTIFYICONDATAA record = trayRecord(indicator);
    record.uFlags = NIF_TIP;
    // The shell reads only the first layout's field, whatever the header's size.
    static_assert(sizeof record.szTip >= kTooltipField, "the tooltip field is smaller than the record's");
    copyTooltip(text, record.szTip, kTooltipField);
    late::shellNotifyIcon(NIM_MODIFY, &record);
}

}  // namespace tikkano
