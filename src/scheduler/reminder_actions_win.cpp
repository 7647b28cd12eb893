#include "scheduler/reminder_actions_win.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "base/dialog_items.h"
#include "base/late_bound.h"
#include "base/wide_text.h"
#include "scheduler/run_command.h"

namespace tikkano {
namespace {

// Windows' own words for an error, in the interface language where the system
// has them, else in its own; the number after them either way.
std::wstring reasonOf(unsigned long error, Language language) {
    const WORD primary = language == kEnglish ? LANG_ENGLISH : LANG_RUSSIAN;
    wchar_t* words = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD length = 0;
    for (const DWORD id : {DWORD(MAKELANGID(primary, SUBLANG_DEFAULT)), DWORD(0)}) {
        length = FormatMessageW(flags, nullptr, error, id, reinterpret_cast<LPWSTR>(&words), 0, nullptr);
        if (length) break;
    }
    std::wstring reason = length ? std::wstring(words, length) : std::wstring();
    if (words) LocalFree(words);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    std::wstring number;
    do number.insert(number.begin(), static_cast<wchar_t>(L'0' + error % 10)); while (error /= 10);
    return reason + (reason.empty() ? L"(" : L" (") + number + L")";
}

}  // namespace

// A pass that was waiting in a message box when the program closed finds its
// window gone: the reminders left in it do nothing any more.

void WinReminderActions::playSound(const std::string& path) {
    if (!IsWindow(owner_)) return;
    late::playSound(path.c_str(), SND_ASYNC);
}

void WinReminderActions::beep() {
    if (IsWindow(owner_)) MessageBeep(MB_ICONEXCLAMATION);
}

unsigned long WinReminderActions::open(const std::string& file, const std::string& parameters,
                                       const std::string* folder) {
    if (!IsWindow(owner_)) return 0;
    // The shell's own boxes stay away: the reminder's box tells what went wrong.
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner_;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = folder ? folder->c_str() : nullptr;
    info.nShow = SW_SHOW;
    SetLastError(0);
    if (late::shellExecuteEx(&info)) return 0;
    const DWORD error = GetLastError();
    if (error) return error;
    const auto result = static_cast<unsigned long>(reinterpret_cast<INT_PTR>(info.hInstApp));
    return shellOpenError(result);
}

void WinReminderActions::showMessage(const std::string& text, const ProgramNotStarted* notStarted) {
    // The caption is the same in both interface languages.
    if (!IsWindow(owner_)) return;
    std::wstring body = fromAnsi(text);
    if (notStarted) {
        if (!body.empty()) body += L"\n\n";
        body += uiText(kTextProgramNotStarted, language_) + L"\n" + fromAnsi(notStarted->file) + L"\n" +
                reasonOf(notStarted->error, language_);
    }
    tell(owner_, body, kTextReminderCaption, kRussian, notStarted ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
}

}  // namespace tikkano
