#include "scheduler/run_command.h"

#include "scheduler/reminder_store.h"

namespace tikkano {
namespace {

constexpr char kBlanks[] = " \t";

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

RunCommand runCommand(const std::string& run) {
    RunCommand command;
    const std::size_t split = run.find(kRunSeparator);
    command.file = run.substr(0, split);
    if (split != std::string::npos) command.parameters = run.substr(split + 1);

    const std::string path = trimmed(command.file);
    if (!path.empty() && path.front() == '"') {
        const std::size_t closing = path.find('"', 1);
        command.file = path.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
        const std::string after = closing == std::string::npos ? std::string() : trimmed(path.substr(closing + 1));
        if (!after.empty()) command.parameters = command.parameters.empty() ? after : after + " " + command.parameters;
    }
    const std::size_t slash = command.file.rfind('\\');
    if (slash != std::string::npos) command.folder = command.file.substr(0, slash);
    return command;
}

unsigned long shellOpenError(unsigned long result) {
    // The shell's own numbers above those it shares with Windows' errors.
    switch (result) {
    case 0: return 8;            // out of memory: ERROR_NOT_ENOUGH_MEMORY
    case 26: return 32;          // SE_ERR_SHARE: ERROR_SHARING_VIOLATION
    case 27:                     // SE_ERR_ASSOCINCOMPLETE
    case 31: return 1155;        // SE_ERR_NOASSOC: ERROR_NO_ASSOCIATION
    case 28:                     // SE_ERR_DDETIMEOUT
    case 29:                     // SE_ERR_DDEFAIL
    case 30: return 1156;        // SE_ERR_DDEBUSY: ERROR_DDE_FAIL
    case 32: return 1157;        // SE_ERR_DLLNOTFOUND: ERROR_DLL_NOT_FOUND
    default: return result;      // 2, 3, 5, 8, 11 are Windows' own numbers
    }
}

}  // namespace tikkano
