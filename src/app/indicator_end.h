// How the program ends: a close the user asks for, whose failed save can be
// tried again; the end of a session, which shows nothing; and a log-off that
// is called off, after which the clock goes on as before.
#pragma once

#include <windows.h>

namespace tikkano {

// The settings file, unreadable at start-up, read now if it can be: at a
// close (`closing`) only the settings, else as a start takes it up.
using TakeUp = void (*)(HWND indicator, bool closing);

// WM_CLOSE of the indicator: saves, asks to try again while the save fails,
// then ends. A close asked for while that question is up does nothing.
LRESULT closeIndicator(HWND indicator, TakeUp takeUp);
// WM_QUERYENDSESSION: saves what a close saves and lets the session end; the
// clock runs on until the session really ends.
LRESULT queryEndSession(HWND indicator, TakeUp takeUp);
// WM_ENDSESSION: `ending` ends the program, saving first where no query came
// before; otherwise the log-off was called off and nothing changes.
LRESULT endSession(HWND indicator, bool ending, TakeUp takeUp);

}  // namespace tikkano
