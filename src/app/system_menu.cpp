#include "app/system_menu.h"

#include "app/app_state.h"
#include "app/indicator_window.h"
#include "app/tray_menu.h"
#include "base/texts.h"
#include "base/wide_text.h"
#include "calendar/calendar_dialog.h"
#include "dialogs/about_dialog.h"
#include "dialogs/clock_settings_dialog.h"
#include "app/menu_ids.h"

namespace tikkano {
namespace {

// The setting that checks an item.
enum Tick { kNoTick, kTickRussian, kTickEnglish, kTickTopmost };

bool ticked(Tick tick, const Settings& s) {
    switch (tick) {
    case kTickRussian: return s.language == kRussian;
    case kTickEnglish: return s.language == kEnglish;
    case kTickTopmost: return s.topmost != 0;
    default: return false;
    }
}

// The handlers; each answers whether the default handling still gets the command.
namespace commands {

bool minimise(HWND window) {
    if (goToTray(app(), window)) ShowWindow(window, SW_HIDE);
    return false;
}

bool restore(HWND window) {
    if (app().inTray) {
        leaveTray(app(), window);
        ShowWindow(window, SW_SHOW);
    }
    return false;
}

bool clockSettings(HWND window) {
    AppState& state = app();
    openClockSettingsDialog(window, ClockSettingsTarget{state.settings, state.font, state.customColours});
    return true;
}

bool calendar(HWND window) {
    openCalendar(window);
    return true;
}

bool about(HWND window) {
    const AppState& state = app();
    openAboutDialog(window, state.instance, state.settings.language);
    return true;
}

bool chooseLanguage(Language language) {
    AppState& state = app();
    state.settings.language = language;
    applyMenuSettings(state);
    return true;
}

bool russian(HWND) { return chooseLanguage(kRussian); }
bool english(HWND) { return chooseLanguage(kEnglish); }

bool topmost(HWND window) {
    AppState& state = app();
    state.settings.topmost = state.settings.topmost == 0 ? 1 : 0;
    applyMenuSettings(state);
    setTopmost(window, state.settings.topmost != 0, SWP_NOACTIVATE);
    return true;
}

}  // namespace commands

struct MenuItem {
    UINT command;             // 0: a separator
    TextId text;
    Tick tick;
    bool (*handler)(HWND);
    bool appended;            // false: only stands in for another item
};

constexpr MenuItem kItems[] = {
#define MENU_ITEM(command, text, tick, handler) {command, text, tick, &commands::handler, true},
#define MENU_STAND_IN(command, text, tick, handler) {command, text, tick, &commands::handler, false},
#define MENU_SEPARATOR() {0, kTextCount, kNoTick, nullptr, true},
#include "app/menu_items.def"
#undef MENU_SEPARATOR
#undef MENU_STAND_IN
#undef MENU_ITEM
};

// A command listed twice would reach only its first row's handler.
constexpr bool commandsListedOnce() {
    for (const MenuItem& a : kItems)
        for (const MenuItem& b : kItems)
            if (&a != &b && a.command != 0 && a.command == b.command) return false;
    return true;
}
static_assert(commandsListedOnce(), "a menu command is listed twice");

const MenuItem* findItem(WPARAM command) {
    for (const MenuItem& item : kItems)
        if (item.command != 0 && item.command == command) return &item;
    return nullptr;
}

void setItemText(HMENU menu, UINT command, const std::wstring& text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, command, FALSE, &info);
}

}  // namespace

HMENU buildSystemMenu(AppState& state, HWND indicator) {
    HMENU menu = GetSystemMenu(indicator, FALSE);
    state.systemMenu = menu;
    for (UINT command : {SC_MAXIMIZE, SC_SIZE, SC_MINIMIZE, SC_RESTORE}) DeleteMenu(menu, command, MF_BYCOMMAND);
    // In Russian, as the templates are; applyMenuSettings follows.
    for (const MenuItem& item : kItems) {
        if (!item.appended) continue;
        if (item.command == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, L"");
            continue;
        }
        const UINT flags = MF_STRING | (ticked(item.tick, state.settings) ? MF_CHECKED : 0);
        AppendMenuW(menu, flags, item.command, uiText(item.text, kRussian).c_str());
    }
    return menu;
}

void applyMenuSettings(AppState& state) {
    // An item that is not in the menu now (minimise or restore) is not found
    // and nothing changes.
    for (const MenuItem& item : kItems) {
        if (item.command == 0) continue;
        if (item.tick != kNoTick)
            CheckMenuItem(state.systemMenu, item.command,
                          MF_BYCOMMAND | (ticked(item.tick, state.settings) ? MF_CHECKED : MF_UNCHECKED));
        setItemText(state.systemMenu, item.command, menuItemText(state, item.command));
    }
}

std::wstring menuItemText(const AppState& state, UINT command) {
    const MenuItem* item = findItem(command);
    return item ? uiText(item->text, state.settings.language) : std::wstring();
}

bool runMenuCommand(HWND indicator, WPARAM command) {
    const MenuItem* item = findItem(command);
    return item ? item->handler(indicator) : true;
}

void openCalendar(HWND indicator) {
    AppState& state = app();
    openCalendarDialog(indicator, CalendarContext{state.settings, state.profile, *state.reminders});
}

}  // namespace tikkano
