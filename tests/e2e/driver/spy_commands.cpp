// Commands answered inside another process by tikkano_menuspy.dll, which the
// driver loads there: COMMAND PID OUTFILE runs one of the DLL's exports on a
// thread of process PID, which writes what it reads into OUTFILE. The answer
// is the number of items written.
#include "commands.h"

#include <tlhelp32.h>

namespace driver {
namespace {

// Runs fn(arg) on a new thread of the target and returns the thread's exit code.
bool remote_call(HANDLE proc, LPTHREAD_START_ROUTINE fn, const std::string& arg, DWORD& result) {
    void* mem = VirtualAllocEx(proc, nullptr, arg.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!mem) return false;
    bool ok = WriteProcessMemory(proc, mem, arg.c_str(), arg.size() + 1, nullptr) != 0;
    if (ok) {
        HANDLE th = CreateRemoteThread(proc, nullptr, 0, fn, mem, 0, nullptr);
        ok = th != nullptr;
        if (th) {
            ok = WaitForSingleObject(th, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(th, &result);
            CloseHandle(th);
        }
    }
    VirtualFreeEx(proc, mem, 0, MEM_RELEASE);
    return ok;
}

ULONG_PTR remote_module_base(DWORD pid, const char* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    ULONG_PTR base = 0;
    for (BOOL more = Module32First(snapshot, &entry); more && !base; more = Module32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szModule, name) == 0) base = reinterpret_cast<ULONG_PTR>(entry.modBaseAddr);
    CloseHandle(snapshot);
    return base;
}

// Loads the spy DLL into the target and answers where it lies there, or 0.
ULONG_PTR load_spy_into(HANDLE proc, DWORD pid, const std::string& dll) {
    FARPROC load_library = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
    DWORD loaded = 0;
    // A thread's exit code holds only 32 bits of the module handle: in a 64-bit
    // target the base comes from the target's module list instead.
    if (!remote_call(proc, reinterpret_cast<LPTHREAD_START_ROUTINE>(load_library), dll, loaded) || !loaded) return 0;
    return remote_module_base(pid, "tikkano_menuspy.dll");
}

// Runs the spy's export_name in process pid, found at the same offset from
// the DLL's base there as in the driver's own copy.
std::string spy_call(DWORD pid, const std::string& out_path, const char* export_name) {
    std::string dll = module_dir() + "tikkano_menuspy.dll";
    HMODULE local = LoadLibraryA(dll.c_str());
    if (!local) return "err cannot load " + dll;
    FARPROC local_fn = GetProcAddress(local, export_name);
    if (!local_fn) return std::string("err no export ") + export_name;
    HANDLE proc = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                  PROCESS_VM_WRITE | PROCESS_VM_READ,
                              FALSE, pid);
    if (!proc) return "err cannot open process";
    std::string answer;
    const ULONG_PTR remote_base = load_spy_into(proc, pid, dll);
    if (remote_base == 0) {
        answer = "err LoadLibraryA failed in the target";
    } else {
        ULONG_PTR offset = (ULONG_PTR)local_fn - (ULONG_PTR)local;
        auto fn = reinterpret_cast<LPTHREAD_START_ROUTINE>(remote_base + offset);
        DWORD items = 0;
        if (!remote_call(proc, fn, out_path, items))
            answer = "err remote call failed";
        else if (items == 0xFFFFFFFFu)
            answer = std::string("err ") + export_name + " found nothing to read in the target";
        else
            answer = "ok " + std::to_string(items);
    }
    CloseHandle(proc);
    return answer;
}

// COMMAND PID OUTFILE: the out file is all of the line after the PID.
std::string spy_command(const Args& a, const char* export_name) {
    if (a.words.size() < 3 || !a.is_num[1]) return "err usage: " + a.words[0] + " PID OUTFILE";
    size_t at = a.line.find(' ', a.line.find(a.words[1], a.words[0].size()));
    return spy_call(DWORD(a.n[1]), a.line.substr(at + 1), export_name);
}

}  // namespace

// The indicator's system menu.
std::string answer_menu(const Args& a) { return spy_command(a, "dump_system_menu"); }
std::string answer_fontwatch(const Args& a) { return spy_command(a, "watch_font_selection"); }
// The shell's tray keeps the icons' tips in the process's tooltip controls.
std::string answer_tooltips(const Args& a) { return spy_command(a, "dump_tooltips"); }
// Bytes and blocks in use in its Windows heaps.
std::string answer_heapuse(const Args& a) { return spy_command(a, "dump_heap_use"); }
// GDI objects it holds.
std::string answer_gdiobjects(const Args& a) { return spy_command(a, "dump_gdi_objects"); }
// Fills Wine's device-context cache.
std::string answer_filldccache(const Args& a) { return spy_command(a, "fill_dc_cache"); }

// textfits PID OUTFILE: the texts of the process's dialog controls measured
// there, each in its own font (see dump_text_fits in menuspy_windows.cpp).
std::string answer_textfits(const Args& a) {
    if (a.words.size() < 3 || !a.is_num[1]) return "err usage: textfits PID OUTFILE";
    size_t at = a.line.find(a.words[2], a.line.find(a.words[1]) + a.words[1].size());
    return spy_call(DWORD(a.n[1]), a.line.substr(at), "dump_text_fits");
}

}  // namespace driver
