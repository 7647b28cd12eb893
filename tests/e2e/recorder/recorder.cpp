// tikkano_recorder: a windowless program that a reminder of the clock starts.
// Each run appends one line to the file named like the program with ".log"
// instead of ".exe", in the program's own folder:
//   <current directory> TAB <parameters> TAB <whole command line> LF
// in UTF-8. The parameters are the command line after the program's name, as
// the C runtime splits it off (a quoted or a plain first word).
#include <windows.h>

#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

const wchar_t* afterProgramName(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t folder[MAX_PATH * 4] = L"";
    GetCurrentDirectoryW(sizeof folder / sizeof folder[0], folder);
    const wchar_t* line = GetCommandLineW();

    std::string record = utf8(folder) + "\t" + utf8(afterProgramName(line)) + "\t" + utf8(line) + "\n";

    wchar_t path[MAX_PATH * 4] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, sizeof path / sizeof path[0]);
    std::wstring logPath(path, length);
    const size_t dot = logPath.rfind(L'.');
    if (dot != std::wstring::npos && logPath.find(L'\\', dot) == std::wstring::npos) logPath.resize(dot);
    logPath += L".log";

    HANDLE file = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return written == record.size() ? 0 : 2;
}
