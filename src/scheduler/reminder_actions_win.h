// What a firing reminder does on Windows: the wave file or the exclamation
// beep, the shell's "open" verb for its program or document, and its message
// box, all owned by the indicator window.
#pragma once

#include <windows.h>

#include "scheduler/reminder_check.h"

namespace tikkano {

class WinReminderActions : public ReminderActions {
public:
    explicit WinReminderActions(HWND owner) : owner_(owner) {}

    void playSound(const std::string& path) override;
    void beep() override;
    void open(const std::string& file, const std::string& parameters,
              const std::string* folder) override;
    // The text is in the ANSI code page; the box is shown in UTF-16 so the
    // Russian caption reads right whatever that code page is.
    void showMessage(const std::string& text) override;

private:
    HWND owner_;
};

}  // namespace tikkano
