// The one way the program opens its dialogs: modal, from a template, with the
// dialog's own state record handed over as the creation parameter and kept in
// DWLP_USER, so that two copies of a dialog open over each other never share
// state. Exceptions stop at the dialog procedure's boundary (procedure_guard.h).
#pragma once

#include <windows.h>

namespace tikkano {

// A dialog's procedure over its state: answers as a dialog procedure does
// (TRUE when the message was handled, FALSE to leave it to the default).
template <typename State>
using DialogProcedure = INT_PTR (*)(HWND dialog, State& state, UINT message, WPARAM wParam, LPARAM lParam);

struct DialogBinding {
    void* state;
    INT_PTR (*procedure)(HWND dialog, void* state, UINT message, WPARAM wParam, LPARAM lParam);
};

// Runs the dialog; returns what EndDialog was given, or -1 when it could not
// be created or set up. A message whose handler throws after that counts as
// not handled; the dialog goes on.
INT_PTR runBoundDialog(int templateId, HWND owner, DialogBinding& binding);

template <typename State, DialogProcedure<State> Procedure>
INT_PTR runModalDialog(int templateId, HWND owner, State& state) {
    DialogBinding binding{&state, [](HWND dialog, void* s, UINT message, WPARAM wParam, LPARAM lParam) {
                              return Procedure(dialog, *static_cast<State*>(s), message, wParam, lParam);
                          }};
    return runBoundDialog(templateId, owner, binding);
}

// The state of an open dialog (null before its WM_INITDIALOG).
template <typename State>
State* dialogState(HWND dialog) {
    auto* binding = reinterpret_cast<DialogBinding*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return binding ? static_cast<State*>(binding->state) : nullptr;
}

}  // namespace tikkano
