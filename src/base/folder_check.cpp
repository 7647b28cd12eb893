#include "base/folder_check.h"

#include <windows.h>

namespace tikkano {

bool folderInPlaceOf(const std::string& path) {
    std::string place = path;
    if (path.find_first_of("\\/:") == std::string::npos) {
        char directory[MAX_PATH];
        const UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return false;
        place = std::string(directory, length) + "\\" + path;
    }
    const DWORD attributes = GetFileAttributesA(place.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace tikkano
