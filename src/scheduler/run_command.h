// A reminder's run field as the shell is handed it: the program or document,
// its parameters and the folder it starts in.
#pragma once

#include <string>

namespace tikkano {

struct RunCommand {
    std::string file;
    std::string parameters;
    std::string folder;  // empty when the path has no folder part
};

// Split at the first run separator. Quotes round the path (as Explorer's
// "Copy as path" gives it) are taken off before the folder is cut from it at
// its last backslash; words after a closing quote go before the parameters.
RunCommand runCommand(const std::string& run);

// Windows' error number for a failed result of the shell's open (32 or less).
unsigned long shellOpenError(unsigned long result);

}  // namespace tikkano
