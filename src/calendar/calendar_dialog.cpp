#include "calendar/calendar_dialog.h"

#include "base/control_filter.h"
#include "base/dialog_items.h"
#include "base/modal_dialog.h"
#include "base/wide_text.h"
#include "calendar/calendar_grid.h"
#include "calendar/calendar_ids.h"
#include "calendar/calendar_paint.h"
#include "edition_choice.h"
#include "edition_resources.h"
#include "scheduler/reminder_list_dialog.h"

namespace tikkano {
namespace {

// One open calendar: a second one opened from the tray over it has its own.
struct CalendarDialog {
    const CalendarContext& context;
    CalendarView view;
    CalendarGrid grid;
    bool refillPosted = false;  // the grid still shows an earlier month
    UINT marksChanged = 0;      // the message that asks every open calendar to fill its grid again
    int focusDay = 0;           // a key stepped the month from a focused day: the day to focus after the refill
};

// A list confirmed in one calendar changes what the file holds for every
// calendar open over or under it. Each of them answers this message by
// filling its grid again; the program's other windows leave it alone.
UINT marksChangedMessage() { return RegisterWindowMessageW(L"Tikkano.CalendarMarksChanged"); }

BOOL CALLBACK askToRefill(HWND window, LPARAM message) {
    wchar_t className[8] = {};
    if (GetClassNameW(window, className, 8) == 6 && lstrcmpW(className, L"#32770") == 0)
        SendMessageW(window, static_cast<UINT>(message), 0, 0);
    return TRUE;
}

// Every dialog of the program runs on this thread.
void refillEveryCalendar() {
    if (const UINT message = marksChangedMessage())
        EnumThreadWindows(GetCurrentThreadId(), askToRefill, static_cast<LPARAM>(message));
}

// Month and year steps that come in a burst (a held key) fill the grid once,
// for the month they end at.
constexpr UINT kRefillMessage = WM_APP + 1;

// The template has the monthly and yearly buttons exactly where the program uses them.
static_assert(kEdition.monthlyAndYearly == (TIKKANO_CALENDAR_MONTHLY_AND_YEARLY != 0));

CalendarDate localToday() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wDay, now.wMonth, now.wYear};
}

// Run-time texts after the weekday names, in the order they are set.
constexpr ItemLabel kLabels[] = {
    {IDC_CAL_EVERY_DAY, kTextCalendarEveryDay},       {IDC_CAL_MONTH_BACK, kTextCalendarMonthBack},
    {IDC_CAL_MONTH_FORWARD, kTextCalendarMonthForward}, {IDC_CAL_YEAR_BACK, kTextCalendarYearBack},
    {IDC_CAL_YEAR_FORWARD, kTextCalendarYearForward},
};

void setRunTimeTexts(HWND dialog, const CalendarDialog& state) {
    const Language language = state.context.settings.language;
    for (int i = 0; i < 7; ++i)
        SetDlgItemTextW(dialog, IDC_CAL_WEEKDAY_SUNDAY + i, fromUtf8(weekdayName(i, language)).c_str());
    setLabels(dialog, kLabels, language);
}

// The shown month into the buttons: days, marks, title.
void fill(HWND dialog, CalendarDialog& state) {
    state.grid = fillGrid(state.view.month, state.view.year, localToday(), state.context.profile);
    SetWindowTextW(dialog, fromUtf8(calendarTitle(state.view.month, state.view.year, state.context.settings.language).c_str())
                               .c_str());
    // Drawn once at the end rather than button by button as each text changes.
    // (Before the dialog is first shown there is nothing to hold back, and
    // turning redrawing back on would mark it visible too early.)
    const bool shown = IsWindowVisible(dialog) != FALSE;
    if (shown) SendMessageW(dialog, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kDayButtonCount; ++i) {
        HWND button = GetDlgItem(dialog, IDC_CAL_DAY_FIRST + i);
        const int day = state.grid.days[static_cast<std::size_t>(i)].day;
        SetWindowTextW(button, day ? fromUtf8(std::to_string(day).c_str()).c_str() : L"");
        ShowWindow(button, day ? SW_SHOWNA : SW_HIDE);
    }
    if (shown) SendMessageW(dialog, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool filterButton(HWND button, CalendarDialog& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

BOOL onInit(HWND dialog, CalendarDialog& state) {
    state.marksChanged = marksChangedMessage();
    state.view = openCalendarView(localToday());
    setRunTimeTexts(dialog, state);
    fill(dialog, state);
    // Every control is a button; the keys of the grid reach the dialog through them.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        filterControl<CalendarDialog, filterButton>(child);
    return TRUE;  // the default focus stands
}

bool onNavigate(HWND dialog, CalendarDialog& state, int id) {
    if (!navigate(state.view, id)) return false;
    if (!state.refillPosted) state.refillPosted = PostMessageW(dialog, kRefillMessage, 0, 0) != FALSE;
    return true;
}

// Whatever acts on the grid sees the month that the steps so far ended at.
BOOL onRefill(HWND dialog, CalendarDialog& state) {
    if (state.refillPosted) {
        state.refillPosted = false;
        fill(dialog, state);
    }
    if (state.focusDay) {
        focusItem(dialog, dayButtonFor(state.grid, state.focusDay));
        state.focusDay = 0;
    }
    return TRUE;
}

BOOL onDrawItem(const CalendarDialog& state, const DRAWITEMSTRUCT& item) {
    return drawCalendarButton(state.view, state.grid, item);
}

// The right mouse button over a day, or the context-menu key on it: the day
// becomes the selected one, or stops being it.
void toggleDay(HWND dialog, CalendarDialog& state, HWND button) {
    onRefill(dialog, state);
    const int previous = state.view.selectedDay;
    if (toggleSelection(state.view, state.grid, GetDlgCtrlID(button), kEdition.selectsDay)) {
        if (previous) InvalidateRect(GetDlgItem(dialog, previous), nullptr, TRUE);
        InvalidateRect(button, nullptr, TRUE);
    }
}

// The right mouse button reaches the dialog as the set-cursor notification of
// the button under it.
BOOL onSetCursor(HWND dialog, CalendarDialog& state, HWND under, UINT mouseMessage) {
    if (mouseMessage != WM_RBUTTONDOWN || !under || GetParent(under) != dialog || !IsWindowVisible(under))
        return FALSE;
    toggleDay(dialog, state, under);
    return FALSE;  // the default cursor handling goes on
}

// Only the keyboard's context menu (the menu key, Shift+F10) counts: the
// mouse's comes after a right-click that has already selected.
BOOL onContextMenu(HWND dialog, CalendarDialog& state, HWND control, LPARAM where) {
    if (static_cast<DWORD>(where) != 0xFFFFFFFFu || !control || GetParent(control) != dialog) return FALSE;
    toggleDay(dialog, state, control);
    return TRUE;
}

void showNoDaySelected(HWND dialog) {
    // The scheduler speaks Russian in both languages.
    tell(dialog, kTextCalendarNoDayMessage, kTextCalendarNoDayCaption, kRussian, MB_ICONINFORMATION | MB_OK);
}

void openList(HWND dialog, const CalendarDialog& state, const ReminderListRequest& request) {
    if (openReminderListDialog(dialog, request, state.context.profile, state.context.settings.language) != IDOK) return;
    state.context.reminders.rebuild();
    refillEveryCalendar();  // this one among them
}

BOOL onMarksChanged(HWND dialog, CalendarDialog& state) {
    state.refillPosted = false;
    fill(dialog, state);
    return TRUE;
}

void onGroupButton(HWND dialog, CalendarDialog& state, int id) {
    onRefill(dialog, state);
    const ClickOutcome outcome = clickOutcome(state.view, state.grid, id, kEdition.monthlyAndYearly);
    if (outcome.kind == ClickOutcome::NoDaySelected) showNoDaySelected(dialog);
    if (outcome.kind == ClickOutcome::OpenList) openList(dialog, state, outcome.request);
}

BOOL onCommand(HWND dialog, CalendarDialog& state, int id, int notification) {
    if (notification != BN_CLICKED) return FALSE;
    switch (id) {
    case IDOK:
    case IDCANCEL: EndDialog(dialog, IDOK); return TRUE;
    case IDC_CAL_MONTH_BACK:
    case IDC_CAL_MONTH_FORWARD:
    case IDC_CAL_YEAR_BACK:
    case IDC_CAL_YEAR_FORWARD:
    case IDC_CAL_TODAY: onNavigate(dialog, state, id); return TRUE;
    default:
        if (groupOfButton(id) == GroupKind::None) return FALSE;
        onGroupButton(dialog, state, id);
        return TRUE;
    }
}

INT_PTR calendarProcedure(HWND dialog, CalendarDialog& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInit(dialog, state);
    case WM_DRAWITEM: return onDrawItem(state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_SETCURSOR: return onSetCursor(dialog, state, reinterpret_cast<HWND>(wParam), HIWORD(lParam));
    case WM_CONTEXTMENU: return onContextMenu(dialog, state, reinterpret_cast<HWND>(wParam), lParam);
    case WM_COMMAND: return onCommand(dialog, state, LOWORD(wParam), HIWORD(wParam));
    case kRefillMessage: return onRefill(dialog, state);
    default: return message == state.marksChanged && message != 0 ? onMarksChanged(dialog, state) : FALSE;
    }
}

bool isDayButton(int id) { return id >= IDC_CAL_DAY_FIRST && id <= IDC_CAL_DAY_LAST; }

bool isOwnerDrawn(HWND button) { return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW; }

// Keys that step the view as the navigation buttons do.
int stepButtonOf(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_PRIOR: return control ? IDC_CAL_YEAR_BACK : IDC_CAL_MONTH_BACK;
    case VK_NEXT: return control ? IDC_CAL_YEAR_FORWARD : IDC_CAL_MONTH_FORWARD;
    case VK_HOME: return IDC_CAL_TODAY;
    default: return 0;
    }
}

bool arrowOf(WPARAM key, GridMove& move) {
    switch (key) {
    case VK_UP: move = GridMove::Up; return true;
    case VK_DOWN: move = GridMove::Down; return true;
    case VK_LEFT: move = GridMove::Left; return true;
    case VK_RIGHT: move = GridMove::Right; return true;
    default: return false;
    }
}

// The day buttons take the arrows; the owner-drawn buttons take Enter, which
// presses them as it presses a push button that has the focus.
LRESULT buttonDialogCode(HWND button, WPARAM wParam, LPARAM lParam) {
    LRESULT code = controlAnswer(button, WM_GETDLGCODE, wParam, lParam);
    if (!isOwnerDrawn(button)) return code;
    if (isDayButton(GetDlgCtrlID(button))) code |= DLGC_WANTARROWS;
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
    return code;
}

bool onButtonKey(HWND button, CalendarDialog& state, WPARAM key) {
    HWND dialog = GetParent(button);
    const int id = GetDlgCtrlID(button);
    GridMove move;
    if (key == VK_RETURN && isOwnerDrawn(button)) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return true;
    }
    if (isDayButton(id) && arrowOf(key, move)) {
        onRefill(dialog, state);
        const int target = arrowTarget(state.grid, id, move);
        if (target != id) focusItem(dialog, target);
        return true;
    }
    if (const int step = stepButtonOf(key)) {
        const int focused = dayOf(state.grid, id);  // the grid that the focused button shows
        if (onNavigate(dialog, state, step) && focused && !state.focusDay)
            state.focusDay = dayAfterStep(state.view, step, focused);
        return true;
    }
    return false;
}

// Shift+F10 asks for the button's context menu, as the context-menu key does,
// and nothing more: left to the default handling it also leaves F10 pending,
// which opens the dialog's system menu when the key comes up (seen under Wine).
bool onSystemKey(HWND button, WPARAM key) {
    if (key != VK_F10 || GetKeyState(VK_SHIFT) >= 0) return false;
    SendMessageW(button, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button), -1);
    return true;
}

bool filterButton(HWND button, CalendarDialog& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE: result = buttonDialogCode(button, wParam, lParam); return true;
    case WM_KEYDOWN: return onButtonKey(button, state, wParam);
    case WM_SYSKEYDOWN: return onSystemKey(button, wParam);
    default: return false;
    }
}

}  // namespace

void openCalendarDialog(HWND indicator, const CalendarContext& context) {
    CalendarDialog state{context};
    runModalDialog<CalendarDialog, calendarProcedure>(IDD_CALENDAR, indicator, state);
}

}  // namespace tikkano
