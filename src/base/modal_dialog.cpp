#include "base/modal_dialog.h"

#include "base/fault_point.h"
#include "base/procedure_guard.h"

namespace tikkano {
namespace {

INT_PTR CALLBACK boundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* binding = reinterpret_cast<DialogBinding*>(GetWindowLongPtrW(dialog, DWLP_USER));
    // A few messages (WM_SETFONT among them) come before WM_INITDIALOG.
    if (!binding) return FALSE;
    INT_PTR answer = FALSE;
    if (ranToEnd([&] {
            if (message == WM_COMMAND && LOWORD(wParam) == IDOK) faultPoint("dialog-ok");
            answer = binding->procedure(dialog, binding->state, message, wParam, lParam);
        }))
        return answer;
    // A dialog that could not be set up ends; any other message that failed
    // counts as not handled, and the dialog stays open and usable.
    if (message == WM_INITDIALOG) EndDialog(dialog, -1);
    return FALSE;
}

}  // namespace

INT_PTR runBoundDialog(int templateId, HWND owner, DialogBinding& binding) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, boundDialogProc,
                           reinterpret_cast<LPARAM>(&binding));
}

}  // namespace tikkano
