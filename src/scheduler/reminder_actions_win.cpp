#include "scheduler/reminder_actions_win.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "base/dialog_items.h"
#include "base/late_bound.h"
#include "base/wide_text.h"

namespace tikkano {

// A pass that was waiting in a message box when the program closed finds its
// window gone: the reminders left in it do nothing any more.

void WinReminderActions::playSound(const std::string& path) {
    if (!IsWindow(owner_)) return;
    late::playSound(path.c_str(), SND_ASYNC);
}

void WinReminderActions::beep() {
    if (IsWindow(owner_)) MessageBeep(MB_ICONEXCLAMATION);
}

void WinReminderActions::open(const std::string& file, const std::string& parameters,
                              const std::string* folder) {
    if (!IsWindow(owner_)) return;
    late::shellExecute(owner_, "open", file.c_str(), parameters.c_str(), folder ? folder->c_str() : nullptr, SW_SHOW);
}

void WinReminderActions::showMessage(const std::string& text) {
    // The caption is the same in both interface languages.
    if (!IsWindow(owner_)) return;
    tell(owner_, fromAnsi(text), kTextReminderCaption, kRussian, MB_ICONINFORMATION);
}

}  // namespace tikkano
