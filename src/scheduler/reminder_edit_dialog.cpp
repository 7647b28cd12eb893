#include "scheduler/reminder_edit_dialog.h"

#include <commdlg.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "base/late_bound.h"
#include "base/dialog_items.h"
#include "base/modal_dialog.h"
#include "base/wide_text.h"
#include "scheduler/reminder_edit_ids.h"
#include "scheduler/reminder_fields.h"

namespace tikkano {
namespace {

// The dialog's texts are Russian whatever the interface language.
constexpr Language kDialogLanguage = kRussian;
constexpr std::size_t kChooserBufferSize = 2048;

struct ReminderEditState {
    Reminder& record;
};

struct FieldControl {
    EditField field;
    int id;
};

// In tab order, which is also the order in which faults are reported.
constexpr FieldControl kFieldControls[] = {
    {EditField::kHour, IDC_EDIT_HOUR},       {EditField::kMinute, IDC_EDIT_MINUTE},
    {EditField::kSound, IDC_EDIT_SOUND},     {EditField::kText, IDC_EDIT_TEXT},
    {EditField::kProgram, IDC_EDIT_PROGRAM}, {EditField::kParameters, IDC_EDIT_PARAMETERS},
};

int controlOf(EditField field) {
    for (const FieldControl& c : kFieldControls)
        if (c.field == field) return c.id;
    return IDC_EDIT_HOUR;
}

std::string& fieldText(ReminderFields& fields, EditField field) {
    switch (field) {
        case EditField::kHour: return fields.hour;
        case EditField::kMinute: return fields.minute;
        case EditField::kSound: return fields.sound;
        case EditField::kText: return fields.text;
        case EditField::kProgram: return fields.program;
        case EditField::kParameters: break;
    }
    return fields.parameters;
}

void setItemText(HWND dialog, int id, const std::string& ansi) {
    SetDlgItemTextW(dialog, id, fromAnsi(ansi).c_str());
}

std::wstring withArgument(int textId, const std::wstring& argument) {
    return tikkano::withArgument(uiText(textId, kDialogLanguage), argument);
}

// Says why the field cannot be stored and puts the focus on it, its text selected.
void refuse(HWND dialog, int id, const std::wstring& message) {
    tell(dialog, message, kTextEditCaption, kDialogLanguage, MB_OK | MB_ICONWARNING);
    focusItem(dialog, id);
}

std::wstring faultMessage(const FieldCheck& check) {
    switch (check.fault) {
        case FieldFault::kNotAnHour: return uiText(kTextEditBadHour, kDialogLanguage);
        case FieldFault::kNotAMinute: return uiText(kTextEditBadMinute, kDialogLanguage);
        case FieldFault::kLineBreakCode:
            return withArgument(kTextEditLineBreakCode, fromAnsi(std::string(1, check.character)));
        case FieldFault::kReservedByte:
            return withArgument(kTextEditUnstorableCharacter, fromAnsi(std::string(1, check.character)));
        case FieldFault::kTooLong:
            return withArgument(check.field == EditField::kText ? kTextEditTextTooLong : kTextEditTooLong,
                                fromUtf8(std::to_string(check.limit).c_str()));
        case FieldFault::kRunTooLong:
            return withArgument(kTextEditRunTooLong, fromUtf8(std::to_string(check.limit).c_str()));
        case FieldFault::kNone: break;
    }
    return std::wstring();
}

// The first character of `text` that the ANSI code page cannot hold as it
// is (it would be stored as "?" or as a look-alike), or 0.
wchar_t firstNonAnsiCharacter(const std::wstring& text) {
    if (fromAnsi(toAnsi(text)) == text) return 0;
    for (wchar_t c : text) {
        const std::wstring one(1, c);
        if (fromAnsi(toAnsi(one)) != one) return c;
    }
    return text.empty() ? 0 : text.front();  // a pair of characters that only fails together
}

// The fields as ANSI texts, or false after telling the user which character
// the settings file cannot hold.
bool readFields(HWND dialog, ReminderFields& fields) {
    for (const FieldControl& c : kFieldControls) {
        const std::wstring text = itemText(dialog, c.id);
        if (const wchar_t bad = firstNonAnsiCharacter(text)) {
            refuse(dialog, c.id, withArgument(kTextEditUnstorableCharacter, std::wstring(1, bad)));
            return false;
        }
        fieldText(fields, c.field) = toAnsi(text);
    }
    return true;
}

void limitTyping(HWND dialog, const ReminderFields& fields, EditField field) {
    SendDlgItemMessageW(dialog, controlOf(field), EM_LIMITTEXT, typingLimit(fields, field), 0);
}

INT_PTR onInitDialog(HWND dialog, ReminderEditState& state) {
    ReminderFields fields = fieldsFromReminder(state.record);
    for (const FieldControl& c : kFieldControls) {
        limitTyping(dialog, fields, c.field);
        setItemText(dialog, c.id, fieldText(fields, c.field));
    }
    return FALSE;
}

// The program and its parameters share the run field: what one takes, the
// other can no longer be given.
INT_PTR onRunPartChanged(HWND dialog) {
    ReminderFields fields;
    fields.program = toAnsi(itemText(dialog, IDC_EDIT_PROGRAM));
    fields.parameters = toAnsi(itemText(dialog, IDC_EDIT_PARAMETERS));
    limitTyping(dialog, fields, EditField::kProgram);
    limitTyping(dialog, fields, EditField::kParameters);
    return TRUE;
}

// A field left as it opened keeps what the record holds, so a reminder
// confirmed unchanged is stored as it was.
INT_PTR onOk(HWND dialog, ReminderEditState& state) {
    ReminderFields fields;
    if (!readFields(dialog, fields)) return TRUE;
    if (const FieldCheck check = checkFields(fields, state.record)) {
        refuse(dialog, controlOf(check.field), faultMessage(check));
        return TRUE;
    }
    state.record = reminderFromFields(fields, state.record);
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR onCancel(HWND dialog) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
}

struct Chooser {
    int field;
    const wchar_t* filter;  // pairs of description and pattern, ended by an empty one
    int title;
    const wchar_t* defaultExtension;  // added to a typed name without one
};

constexpr wchar_t kSoundFilter[] = L"Wav Files (*.wav)\0*.wav\0All Files (*.*)\0*.*\0";
constexpr wchar_t kProgramFilter[] =
    L"Exe Files (*.exe)\0*.exe\0Bat Files (*.bat)\0*.bat\0All Files (*.*)\0*.*\0";
// Only a wave file can be a sound; the program field also takes documents of
// any kind, so a name typed there is taken as it stands.
constexpr Chooser kSoundChooser{IDC_EDIT_SOUND, kSoundFilter, kTextEditSoundChooserTitle, L"wav"};
constexpr Chooser kProgramChooser{IDC_EDIT_PROGRAM, kProgramFilter,
                                  kTextEditProgramChooserTitle, nullptr};

INT_PTR onChooseFile(HWND dialog, const Chooser& chooser) {
    const ChooserStart start = chooserStart(itemText(dialog, chooser.field), kChooserBufferSize);
    std::vector<wchar_t> fileName(kChooserBufferSize, L'\0');
    start.fileName.copy(fileName.data(), start.fileName.size());
    const std::wstring title = uiText(chooser.title, kDialogLanguage);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = chooser.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = fileName.data();
    ofn.nMaxFile = static_cast<DWORD>(fileName.size());
    ofn.lpstrInitialDir = start.folder.empty() ? nullptr : start.folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    ofn.lpstrDefExt = chooser.defaultExtension;
    if (late::getOpenFileName(&ofn)) SetDlgItemTextW(dialog, chooser.field, fileName.data());
    return TRUE;
}

INT_PTR onTestSound(HWND dialog) {
    const std::string sound = toAnsi(itemText(dialog, IDC_EDIT_SOUND));
    late::playSound(sound.c_str(), SND_ASYNC);
    return TRUE;
}

INT_PTR onCommand(HWND dialog, ReminderEditState& state, int id, int notification) {
    if (notification == EN_CHANGE)
        return id == IDC_EDIT_PROGRAM || id == IDC_EDIT_PARAMETERS ? onRunPartChanged(dialog) : FALSE;
    switch (id) {
        case IDOK: return onOk(dialog, state);
        case IDCANCEL: return onCancel(dialog);
        case IDC_EDIT_CHOOSE_SOUND: return onChooseFile(dialog, kSoundChooser);
        case IDC_EDIT_CHOOSE_PROGRAM: return onChooseFile(dialog, kProgramChooser);
        case IDC_EDIT_TEST_SOUND: return onTestSound(dialog);
    }
    return FALSE;
}

INT_PTR reminderEditProcedure(HWND dialog, ReminderEditState& state, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return onInitDialog(dialog, state);
        case WM_COMMAND: return onCommand(dialog, state, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

}  // namespace

INT_PTR openReminderEditDialog(HWND owner, Reminder& record) {
    ReminderEditState state{record};
    return runModalDialog<ReminderEditState, reminderEditProcedure>(IDD_REMINDER_EDIT, owner, state);
}

}  // namespace tikkano
