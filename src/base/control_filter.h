// A dialog's first look at the messages of one of its controls, with the
// dialog's state record (the one kept in DWLP_USER, see modal_dialog.h): how
// a dialog gives a control keys that the control does not take by itself.
// The control's own procedure is kept in a property of the control, so two
// dialogs open at once share nothing, and the control gets it back when it goes.
#pragma once

#include <windows.h>

#include "base/modal_dialog.h"
#include "base/procedure_guard.h"

namespace tikkano {

// Answers true with `result` set when it handled the message itself; false
// passes the message on to the control.
template <typename State>
using ControlFilter = bool (*)(HWND control, State& state, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result);

namespace detail {

constexpr wchar_t kControlProcedureProperty[] = L"tikkano.controlProcedure";

inline WNDPROC controlProcedure(HWND control) {
    return reinterpret_cast<WNDPROC>(GetPropW(control, kControlProcedureProperty));
}

template <typename State, ControlFilter<State> Filter>
LRESULT CALLBACK filteredControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC own = controlProcedure(control);
    if (!own) return DefWindowProcW(control, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        RemovePropW(control, kControlProcedureProperty);
        return CallWindowProcW(own, control, message, wParam, lParam);
    }
    HWND dialog = GetParent(control);
    if (State* state = dialogState<State>(dialog)) {
        LRESULT result = 0;
        bool handled = false;
        // As in the dialog procedure: a filter that threw counts as not
        // handling the message, and the dialog stays open and usable.
        if (ranToEnd([&] { handled = Filter(control, *state, message, wParam, lParam, result); }) && handled)
            return result;
    }
    return CallWindowProcW(own, control, message, wParam, lParam);
}

}  // namespace detail

// What the control itself answers to a message (for a filter that adds to it).
inline LRESULT controlAnswer(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC own = detail::controlProcedure(control);
    return own ? CallWindowProcW(own, control, message, wParam, lParam) : 0;
}

// From now on `Filter` sees the control's messages first (once per control).
template <typename State, ControlFilter<State> Filter>
void filterControl(HWND control) {
    if (!control || detail::controlProcedure(control)) return;
    const auto own = GetWindowLongPtrW(control, GWLP_WNDPROC);
    if (!SetPropW(control, detail::kControlProcedureProperty, reinterpret_cast<HANDLE>(own))) return;
    SetWindowLongPtrW(control, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(&detail::filteredControlProcedure<State, Filter>));
}

}  // namespace tikkano
