#include "scheduler/reminder_list_dialog.h"

#include "base/control_filter.h"
#include "base/dialog_items.h"
#include "base/modal_dialog.h"
#include "base/wide_text.h"
#include "scheduler/reminder_edit_dialog.h"
#include "scheduler/reminder_list_ids.h"
#include "scheduler/reminder_list_lines.h"
#include "scheduler/reminder_store.h"

namespace tikkano {
namespace {

// One open list: its request and its own working copy of the group. A list
// opened over it (through a second calendar) has its own.
struct ReminderListDialog {
    const ReminderListRequest* request = nullptr;
    Profile* profile = nullptr;
    Language language = kRussian;
    ReminderList working;
};

// What the file's failure is told as: a folder where the file belongs is named
// as such, anything else by the usual reason.
TextId fileFailure(const Profile& profile, TextId usual) {
    return profile.folderInPlace() ? kTextSettingsFolderInList : usual;
}

HWND linesOf(HWND dialog) { return GetDlgItem(dialog, IDC_LIST_LINES); }

// One line per reminder in list order, none selected.
void fillLines(HWND dialog, const ReminderListDialog& state) {
    HWND lines = linesOf(dialog);
    SendMessageW(lines, LB_RESETCONTENT, 0, 0);
    for (const Reminder& reminder : state.working)
        SendMessageW(lines, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fromAnsi(listLine(reminder)).c_str()));
}

// Filled anew after an action, with the line acted on chosen again: the keys
// and the buttons then go on from the line the user sees chosen.
void fillLinesChoosing(HWND dialog, const ReminderListDialog& state, int actedOn) {
    fillLines(dialog, state);
    SendMessageW(linesOf(dialog), LB_SETCURSEL, static_cast<WPARAM>(lineAfterFill(actedOn, state.working.size())), 0);
}

int selectedLine(HWND dialog) {
    const LRESULT selected = SendMessageW(linesOf(dialog), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

int chosenIndex(HWND dialog, const ReminderListDialog& state) {
    return chosenLine(selectedLine(dialog), state.working.size());
}

bool filterLines(HWND lines, ReminderListDialog& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

BOOL onInit(HWND dialog, ReminderListDialog& state) {
    SetWindowTextW(dialog, fromUtf8(listTitle(*state.request).c_str()).c_str());
    fillLines(dialog, state);
    SendMessageW(linesOf(dialog), LB_SETCURSEL, 0, 0);
    filterControl<ReminderListDialog, filterLines>(linesOf(dialog));
    return FALSE;  // no initial focus asked for
}

// An added reminder is chosen; one given up leaves the line chosen before.
void onAdd(HWND dialog, ReminderListDialog& state) {
    Reminder added;
    int actedOn = selectedLine(dialog);
    if (openReminderEditDialog(dialog, added) == IDOK) {
        state.working.push_back(added);
        actedOn = static_cast<int>(state.working.size()) - 1;
    }
    fillLinesChoosing(dialog, state, actedOn);
}

// The edit dialog works on a copy: the list may not stay as it was while the
// edit dialog runs its own message loop.
void onChange(HWND dialog, ReminderListDialog& state) {
    const int index = chosenIndex(dialog, state);
    if (index >= 0) {
        Reminder edited = state.working[static_cast<std::size_t>(index)];
        if (openReminderEditDialog(dialog, edited) == IDOK && static_cast<std::size_t>(index) < state.working.size())
            state.working[static_cast<std::size_t>(index)] = edited;
    }
    fillLinesChoosing(dialog, state, index);
}

void onDelete(HWND dialog, ReminderListDialog& state) {
    const int index = chosenIndex(dialog, state);
    if (index >= 0) {
        const int answer =
            tell(dialog, kTextListDeleteQuestion, kTextListDeleteCaption, kRussian, MB_ICONQUESTION | MB_YESNO);
        if (answer == IDYES && static_cast<std::size_t>(index) < state.working.size())
            state.working.erase(state.working.begin() + index);
    }
    fillLinesChoosing(dialog, state, index);
}

// In a Unicode file the list holds the group as the code page gave it: an
// OK would write back "?" for what the user never touched. Said, and the
// list stays open with nothing written.
bool refusedForUnicode(HWND dialog, const ReminderListDialog& state) {
    if (state.profile->valueFitsCodePage(kAlarmSection, state.request->key)) return false;
    const Language language = state.language;
    tell(dialog, kTextListUnicodeKept, kTextNotSavedCaption, language, MB_ICONEXCLAMATION | MB_OK);
    return true;
}

// The group is written whatever the file seems to hold: while another program
// holds the file, every read gives the defaults, so an empty group there proves
// nothing. A group that could not be written stays in the open dialog.
void onOk(HWND dialog, ReminderListDialog& state) {
    if (refusedForUnicode(dialog, state)) return;
    if (state.profile->write(kAlarmSection, state.request->key, serializeGroup(state.working))) {
        EndDialog(dialog, IDOK);
        return;
    }
    const Language language = state.language;
    tell(dialog, fileFailure(*state.profile, kTextListNotSaved), kTextNotSavedCaption, language,
         MB_ICONEXCLAMATION | MB_OK);
}

BOOL onCommand(HWND dialog, ReminderListDialog& state, int id, int notification) {
    if (id == IDC_LIST_LINES && notification == LBN_DBLCLK) id = IDC_LIST_CHANGE;
    else if (notification != 0) return FALSE;
    switch (id) {
    case IDC_LIST_ADD: onAdd(dialog, state); return TRUE;
    case IDC_LIST_CHANGE: onChange(dialog, state); return TRUE;
    case IDC_LIST_DELETE: onDelete(dialog, state); return TRUE;
    case IDOK: onOk(dialog, state); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

INT_PTR listProcedure(HWND dialog, ReminderListDialog& state, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return onInit(dialog, state);
    case WM_COMMAND: return onCommand(dialog, state, LOWORD(wParam), HIWORD(wParam));
    default: return FALSE;
    }
}

// As in any Windows list: Enter on a line changes it, Delete deletes it
// (after the same question as the button).
int commandOfKey(WPARAM key) {
    switch (key) {
    case VK_RETURN: return IDC_LIST_CHANGE;
    case VK_DELETE: return IDC_LIST_DELETE;
    default: return 0;
    }
}

// Enter in an empty list has no line to change: it is left to the dialog,
// which presses its default button.
bool filterLines(HWND lines, ReminderListDialog& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_GETDLGCODE) {
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        result = controlAnswer(lines, message, wParam, lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN && !state.working.empty())
            result |= DLGC_WANTMESSAGE;
        return true;
    }
    const int command = message == WM_KEYDOWN ? commandOfKey(wParam) : 0;
    if (command) SendMessageW(GetParent(lines), WM_COMMAND, command, reinterpret_cast<LPARAM>(lines));
    return command != 0;
}

}  // namespace

INT_PTR openReminderListDialog(HWND owner, const ReminderListRequest& request, Profile& profile, Language language) {
    // The whole value: OK writes back what was read. A group longer than the
    // program reads (only a hand-edited file has one) is not opened at all, so
    // that its tail is never written away.
    // Read as the calendar's marks and today's list read it, so that a group
    // they show is the group the list opens with.
    const ProfileValue stored = SectionReads(profile).value(kAlarmSection, request.key, "");
    // A file held by another program reads as empty: such a list is not opened.
    if (!profile.readable()) {
        tell(owner, fileFailure(profile, kTextListUnreadable), kTextNotSavedCaption, language,
             MB_ICONEXCLAMATION | MB_OK);
        return IDCANCEL;
    }
    if (!stored.whole) {
        tell(owner, kTextListTooLong, kTextListDeleteCaption, kRussian, MB_ICONEXCLAMATION | MB_OK);
        return IDCANCEL;
    }
    ReminderListDialog state;
    state.request = &request;
    state.profile = &profile;
    state.language = language;
    state.working = parseGroup(stored.text);
    const INT_PTR result = runModalDialog<ReminderListDialog, listProcedure>(IDD_REMINDER_LIST, owner, state);
    return result == IDOK ? IDOK : IDCANCEL;
}

}  // namespace tikkano
