#include "app/tray_menu.h"

#include <shellapi.h>

#include "app/app_state.h"
#include "app/icon_ids.h"
#include "app/menu_ids.h"
#include "app/indicator_window.h"
#include "base/late_bound.h"
#include "base/wide_text.h"
#include "display/indicator_layout.h"

namespace tikkano {
namespace {

constexpr UINT kTrayIconId = 1;

std::wstring menuText(const AppState& state, TextId id) { return uiText(id, state.settings.language); }

void setItemText(HMENU menu, UINT command, const std::wstring& text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, command, FALSE, &info);
}

void setItemState(HMENU menu, UINT command, UINT itemState) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    info.fState = itemState;
    SetMenuItemInfoW(menu, command, FALSE, &info);
}

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

HMENU buildSystemMenu(AppState& state, HWND indicator) {
    HMENU menu = GetSystemMenu(indicator, FALSE);
    state.systemMenu = menu;
    for (UINT command : {SC_MAXIMIZE, SC_SIZE, SC_MINIMIZE, SC_RESTORE}) DeleteMenu(menu, command, MF_BYCOMMAND);

    const Settings& s = state.settings;
    const bool russian = s.language == kRussian;
    auto append = [&](UINT flags, UINT_PTR command, const std::wstring& text) {
        AppendMenuW(menu, flags, command, text.c_str());
    };
    auto russianText = [](TextId id) { return uiText(id, kRussian); };
    append(MF_SEPARATOR, 0, L"");
    append(MF_STRING, SC_MINIMIZE, russianText(kTextMenuMinimize));
    append(MF_SEPARATOR, 0, L"");
    append(MF_STRING, IDM_CLOCK, russianText(kTextMenuClock));
    append(MF_STRING, IDM_CALENDAR, russianText(kTextMenuCalendar));
    append(MF_SEPARATOR, 0, L"");
    append(MF_STRING | (russian ? MF_CHECKED : 0), IDM_RUSSIAN, russianText(kTextMenuRussian));
    append(MF_STRING | (russian ? 0 : MF_CHECKED), IDM_ENGLISH, russianText(kTextMenuEnglish));
    append(MF_SEPARATOR, 0, L"");
    append(MF_STRING, IDM_ABOUT, russianText(kTextMenuAbout));
    append(MF_SEPARATOR, 0, L"");
    append(MF_STRING | (s.topmost ? MF_CHECKED : 0), IDM_TOPMOST, russianText(kTextMenuTopmost));
    return menu;
}

void checkLanguageItems(AppState& state, bool russian) {
    CheckMenuItem(state.systemMenu, IDM_RUSSIAN, MF_BYCOMMAND | (russian ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(state.systemMenu, IDM_ENGLISH, MF_BYCOMMAND | (russian ? MF_UNCHECKED : MF_CHECKED));
}

void applyMenuLanguage(AppState& state) {
    HMENU menu = state.systemMenu;
    const UINT russianState = GetMenuState(menu, IDM_RUSSIAN, MF_BYCOMMAND) & MF_CHECKED;
    setItemState(menu, IDM_RUSSIAN, russianState);
    setItemState(menu, IDM_ENGLISH, russianState ? 0 : MF_CHECKED);
    state.settings.language = russianState ? kRussian : kEnglish;

    setItemText(menu, IDM_CLOCK, menuText(state, kTextMenuClock));
    setItemText(menu, IDM_CALENDAR, menuText(state, kTextMenuCalendar));
    setItemText(menu, IDM_ABOUT, menuText(state, kTextMenuAbout));
    setItemText(menu, IDM_TOPMOST, menuText(state, kTextMenuTopmost));
    setItemText(menu, SC_MINIMIZE, menuText(state, kTextMenuMinimize));
    setItemText(menu, SC_RESTORE, menuText(state, kTextMenuRestore));
}

bool goToTray(AppState& state, HWND indicator) {
    if (state.settings.trayStatus) return true;
    if (!addTrayIcon(state, indicator)) return false;
    ModifyMenuW(state.systemMenu, SC_MINIMIZE, MF_BYCOMMAND | MF_STRING, SC_RESTORE,
                menuText(state, kTextMenuRestore).c_str());
    state.settings.trayStatus = 1;
    return true;
}

void leaveTray(AppState& state, HWND indicator) {
    if (!state.settings.trayStatus) return;
    NOTIFYICONDATAA record = trayRecord(indicator);
    late::shellNotifyIcon(NIM_DELETE, &record);
    ModifyMenuW(state.systemMenu, SC_RESTORE, MF_BYCOMMAND | MF_STRING, SC_MINIMIZE,
                menuText(state, kTextMenuMinimize).c_str());
    state.settings.trayStatus = 0;
}

void restoreTrayIcon(AppState& state, HWND indicator) {
    if (state.settings.trayStatus) addTrayIcon(state, indicator);
}

void updateTrayTooltip(const AppState& state, HWND indicator, const std::string& text) {
    if (!state.settings.trayStatus) return;
    NOTIFYICONDATAA record = trayRecord(indicator);
    record.uFlags = NIF_TIP;
    // The shell reads only the first layout's field, whatever the header's size.
    static_assert(sizeof record.szTip >= kTooltipField, "the tooltip field is smaller than the record's");
    copyTooltip(text, record.szTip, kTooltipField);
    late::shellNotifyIcon(NIM_MODIFY, &record);
}

}  // namespace tikkano
