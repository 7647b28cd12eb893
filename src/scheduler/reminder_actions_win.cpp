#include "scheduler/reminder_actions_win.h"

#include <mmsystem.h>
#include <shellapi.h>

namespace tikkano {

namespace {

std::wstring widen(const std::string& text, UINT codePage) {
    if (text.empty()) return std::wstring();
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], wideLength);
    return wide;
}

// The same caption in both interface languages.
const char kCaptionUtf8[] = u8"Вы просили напомнить...";

}  // namespace

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
    static const std::wstring caption = widen(kCaptionUtf8, CP_UTF8);
    const std::wstring wideText = widen(text, CP_ACP);
    MessageBoxW(owner_, wideText.c_str(), caption.c_str(), MB_ICONINFORMATION);
}

}  // namespace tikkano
