#include "base/modal_dialog.h"

namespace tikkano {
namespace {

INT_PTR CALLBACK boundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* binding = reinterpret_cast<DialogBinding*>(GetWindowLongPtrW(dialog, DWLP_USER));
    // A few messages (WM_SETFONT among them) come before WM_INITDIALOG.
    if (!binding) return FALSE;
    try {
        return binding->procedure(dialog, binding->state, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's dialog code; the dialog
        // cannot go on with its state half-changed.
        EndDialog(dialog, -1);
        return TRUE;
    }
}

}  // namespace

INT_PTR runBoundDialog(int templateId, HWND owner, DialogBinding& binding) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, boundDialogProc,
                           reinterpret_cast<LPARAM>(&binding));
}

}  // namespace tikkano
