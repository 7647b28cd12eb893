// The boundary every window, dialog and subclass procedure keeps: nothing a
// handler throws may leave the procedure. In the 32-bit programs the unwinder
// cannot pass the system's frames that called the procedure, and the program
// would end without saving; in the 64-bit builds the exception would unwind
// into an outer message loop and abandon a message box or chooser of an inner
// one, its owner left disabled.
#pragma once

#include <windows.h>

namespace tikkano {

// Runs `handler`; true when it returned, false when it threw.
template <typename Handler>
bool ranToEnd(Handler&& handler) noexcept {
    try {
        handler();
        return true;
    } catch (...) {
        return false;
    }
}

// What a window procedure answers for a message whose handler threw: creation
// fails (the program then ends as when its indicator cannot be made), the end
// of the session is not held up, and anything else counts as handled, so a
// tick or paint that ran out of memory is skipped and the next one tries again.
inline LRESULT failedMessageAnswer(UINT message) {
    if (message == WM_CREATE) return -1;
    if (message == WM_QUERYENDSESSION) return TRUE;
    return 0;
}

}  // namespace tikkano
