#include "dialogs/date_format_dialog.h"

#include <string>

#include "base/dialog_items.h"
#include "base/modal_dialog.h"
#include "base/wide_text.h"
#include "dialogs/date_format_ids.h"

namespace tikkano {
namespace {

// A picture keeps at most this many characters.
constexpr std::size_t kPictureLength = 18;

struct DateFormatState {
    Settings& settings;
};

constexpr ItemLabel kLabels[] = {
    {IDCANCEL, kTextCancel},
    {IDC_DATEFMT_SHORT_LABEL, kTextDateFormatShortLabel},
    {IDC_DATEFMT_LONG_LABEL, kTextDateFormatLongLabel},
    {IDC_DATEFMT_TIME_LABEL, kTextDateFormatTimeLabel},
};

// The date pictures are of no use while the system's date format is in force.
void enableDatePictures(HWND dialog, bool enabled) {
    EnableWindow(GetDlgItem(dialog, IDC_DATEFMT_SHORT), enabled);
    EnableWindow(GetDlgItem(dialog, IDC_DATEFMT_LONG), enabled);
}

std::string pictureOf(HWND dialog, int control) {
    std::wstring text = itemText(dialog, control);
    if (text.size() > kPictureLength) text.resize(kPictureLength);
    std::string picture = toAnsi(text);
    if (picture.size() > kPictureLength) picture.resize(kPictureLength);
    return picture;
}

INT_PTR onInit(HWND dialog, DateFormatState& state) {
    const Settings& s = state.settings;
    setLabels(dialog, kLabels, s.language);
    SetDlgItemTextW(dialog, IDC_DATEFMT_SHORT, fromAnsi(s.shortDatePicture).c_str());
    SetDlgItemTextW(dialog, IDC_DATEFMT_LONG, fromAnsi(s.longDatePicture).c_str());
    SetDlgItemTextW(dialog, IDC_DATEFMT_TIME, fromAnsi(s.timePicture).c_str());
    SetWindowTextW(dialog, uiText(kTextDateFormat, s.language).c_str());
    setChecked(dialog, IDC_DATEFMT_SYSTEM, s.systemDateFormat != 0);
    enableDatePictures(dialog, s.systemDateFormat == 0);
    return TRUE;
}

// The switch acts at once: the indicator follows at its next refresh, and
// Cancel does not undo it.
INT_PTR onSystemFormat(HWND dialog, DateFormatState& state) {
    state.settings.systemDateFormat = isChecked(dialog, IDC_DATEFMT_SYSTEM) ? 1 : 0;
    enableDatePictures(dialog, state.settings.systemDateFormat == 0);
    keepFocusFrame(dialog, IDC_DATEFMT_SYSTEM);
    return FALSE;
}

// Pictures are taken as typed; a greyed field is read all the same.
INT_PTR onOk(HWND dialog, DateFormatState& state) {
    Settings& s = state.settings;
    s.shortDatePicture = pictureOf(dialog, IDC_DATEFMT_SHORT);
    s.longDatePicture = pictureOf(dialog, IDC_DATEFMT_LONG);
    s.timePicture = pictureOf(dialog, IDC_DATEFMT_TIME);
    s.systemDateFormat = isChecked(dialog, IDC_DATEFMT_SYSTEM) ? 1 : 0;
    EndDialog(dialog, 1);
    return TRUE;
}

INT_PTR onCommand(HWND dialog, DateFormatState& state, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK: return onOk(dialog, state);
    case IDCANCEL: EndDialog(dialog, 1); return TRUE;
    case IDC_DATEFMT_SYSTEM: return onSystemFormat(dialog, state);
    default: return FALSE;
    }
}

INT_PTR dateFormatProc(HWND dialog, DateFormatState& state, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return onInit(dialog, state);
    case WM_COMMAND: return onCommand(dialog, state, wParam);
    default: return FALSE;
    }
}

}  // namespace

void openDateFormatDialog(HWND owner, Settings& settings) {
    DateFormatState state{settings};
    runModalDialog<DateFormatState, dateFormatProc>(IDD_DATE_FORMAT, owner, state);
}

}  // namespace tikkano
