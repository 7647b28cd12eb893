#include "scheduler/reminder_actions_win.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "app/wide_text.h"
#include "resources/resource.h"

namespace tikkano {

void WinReminderActions::playSound(const std::string& path) {
    sndPlaySoundA(path.c_str(), SND_ASYNC);
}

void WinReminderActions::beep() { MessageBeep(MB_ICONEXCLAMATION); }

void WinReminderActions::open(const std::string& file, const std::string& parameters,
                              const std::string* folder) {
    ShellExecuteA(owner_, "open", file.c_str(), parameters.c_str(),
                  folder ? folder->c_str() : nullptr, SW_SHOW);
}

void WinReminderActions::showMessage(const std::string& text) {
    // The caption is the same in both interface languages.
    static const std::wstring caption = loadText(GetModuleHandleW(nullptr), IDS_REMINDER_CAPTION);
    MessageBoxW(owner_, fromAnsi(text).c_str(), caption.c_str(), MB_ICONINFORMATION);
}

}  // namespace tikkano
