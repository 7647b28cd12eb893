// What a firing reminder does on Windows: the wave file or the exclamation
// beep, the shell's "open" verb for its program or document, and its message
// box, all owned by the indicator window.
#pragma once

#include <windows.h>

#include "base/language.h"
#include "scheduler/reminder_check.h"

namespace tikkano {

class WinReminderActions : public ReminderActions {
public:
    // A program that cannot start is told in `language`; the rest of the box is Russian in both.
    WinReminderActions(HWND owner, Language language) : owner_(owner), language_(language) {}

    void playSound(const std::string& path) override;
    void beep() override;
    unsigned long open(const std::string& file, const std::string& parameters,
                       const std::string* folder) override;
    // The text is in the ANSI code page; the box is shown in UTF-16 so the
    // Russian caption reads right whatever that code page is.
    void showMessage(const std::string& text, const ProgramNotStarted* notStarted) override;

private:
    HWND owner_;
    Language language_;
};

}  // namespace tikkano
