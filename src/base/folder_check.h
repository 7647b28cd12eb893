// Whether a folder stands where a file belongs: a file of that name can then
// neither be read nor written, whatever else is right.
#pragma once

#include <string>

namespace tikkano {

// `path` as the profile functions take it: a bare name stands for the file in
// the Windows directory.
bool folderInPlaceOf(const std::string& path);

}  // namespace tikkano
