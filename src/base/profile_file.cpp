#include "base/profile_file.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/settings.h"
#include "base/wide_text.h"

namespace tikkano {

ProfileValue ProfileFile::readValue(const std::string& section, const std::string& key,
                                   const std::string& fallback) const {
    // The call reports a value cut to the buffer by returning size - 1: grow and
    // read again. The last buffer has room for one byte past the bound, so a
    // value of exactly kLongestValue bytes is known to be whole.
    constexpr std::size_t kLastBuffer = kLongestValue + 2;
    std::vector<char> buffer(1024);
    for (;;) {
        const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), path_.c_str());
        if (got + 1 < buffer.size()) return {std::string(buffer.data(), got), true};
        if (buffer.size() >= kLastBuffer) return {std::string(buffer.data(), kLongestValue), false};
        buffer.resize(std::min(buffer.size() * 4, kLastBuffer));
    }
}

void ProfileFile::write(const std::string& section, const std::string& key, const std::string& value) {
    // The A function passes the value through a counted wide string that holds
    // at most 32,767 characters; a longer group would be lost. The W function
    // writes the file in the ANSI code page all the same.
    WritePrivateProfileStringW(fromAnsi(section).c_str(), fromAnsi(key).c_str(), fromAnsi(value).c_str(),
                               fromAnsi(path_).c_str());
}

std::string settingsFilePath(bool besideProgram) {
    if (!besideProgram) return kSettingsFileName;
    // Asked for its length first, so a directory of any length fits.
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::string directory(needed, '\0');
    const DWORD length = needed ? GetCurrentDirectoryA(needed, &directory[0]) : 0;
    directory.resize(length < needed ? length : 0);
    return directory + "\\" + kSettingsFileName;
}

}  // namespace tikkano
