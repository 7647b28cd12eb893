// Commands about processes and what they hold: handle counts and memory
// figures, a file held open as another program can, and the CBT hook that
// makes the creation of the clock's indicator fail.
#include "commands.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

namespace driver {
namespace {

// The handles a process holds, counted in the system's list of all handles
// (SystemHandleInformation), for when GetProcessHandleCount answers nothing.
DWORD handles_in_system_list(DWORD pid) {
    struct Entry {
        ULONG owner_pid;
        BYTE object_type, flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    using Query = LONG(WINAPI*)(int, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    const int kSystemHandleInformation = 16;
    std::vector<unsigned char> buffer(1 << 16);
    ULONG needed = 0;
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(), ULONG(buffer.size()), &needed)) ==
               LONG(0xC0000004) /* STATUS_INFO_LENGTH_MISMATCH */ && buffer.size() < (64u << 20))
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    if (status != 0) return 0;
    const ULONG total = *reinterpret_cast<ULONG*>(buffer.data());
    const Entry* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD count = 0;
    for (ULONG i = 0; i < total; ++i)
        if (entries[i].owner_pid == pid) ++count;
    return count;
}

// Set by "cbtblock", until "cbtunblock" or the next "cbtblock".
HHOOK g_cbt_hook = nullptr;

void remove_cbt_hook() {
    if (g_cbt_hook) UnhookWindowsHookEx(g_cbt_hook);
    g_cbt_hook = nullptr;
}

// Opened by "hold", until "release" or the next "hold".
HANDLE g_held_file = INVALID_HANDLE_VALUE;

void close_held_file() {
    if (g_held_file != INVALID_HANDLE_VALUE) CloseHandle(g_held_file);
    g_held_file = INVALID_HANDLE_VALUE;
}

}  // namespace

// The number of kernel handles a process holds.
std::string answer_handles(const Args& a) {
    if (!a.need(1)) return "err usage: handles PID";
    HANDLE proc = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, DWORD(a.n[1]));
    if (!proc) return "err cannot open process";
    DWORD count = 0;
    BOOL ok = GetProcessHandleCount(proc, &count);
    CloseHandle(proc);
    if (!ok) return "err GetProcessHandleCount failed";
    // Wine answers 0 there; its list of every process's handles is real.
    if (count == 0) count = handles_in_system_list(DWORD(a.n[1]));
    return "ok " + std::to_string(count);
}

// Answer: pagefile usage, working set and peak pagefile usage, in bytes.
std::string answer_procmem(const Args& a) {
    if (!a.need(1)) return "err usage: procmem PID";
    HANDLE proc = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, DWORD(a.n[1]));
    if (!proc) return "err cannot open process";
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    BOOL ok = GetProcessMemoryInfo(proc, &pmc, sizeof pmc);
    CloseHandle(proc);
    if (!ok) return "err GetProcessMemoryInfo failed";
    char buf[128];
    std::snprintf(buf, sizeof buf, "ok %lu %lu %lu", (unsigned long)pmc.PagefileUsage,
                  (unsigned long)pmc.WorkingSetSize, (unsigned long)pmc.PeakPagefileUsage);
    return buf;
}

// A global CBT hook (tikkano_cbtblock.dll) that makes the creation of any
// HorvikClass window fail, until "cbtunblock".
std::string answer_cbtblock(const Args&) {
    remove_cbt_hook();
    HMODULE dll = LoadLibraryA((module_dir() + "tikkano_cbtblock.dll").c_str());
    FARPROC proc = dll ? GetProcAddress(dll, "block_indicator") : nullptr;
    if (!proc) return "err cannot load tikkano_cbtblock.dll";
    g_cbt_hook = SetWindowsHookExA(WH_CBT, reinterpret_cast<HOOKPROC>(proc), dll, 0);
    return g_cbt_hook ? "ok" : "err SetWindowsHookExA failed";
}

std::string answer_cbtunblock(const Args&) {
    remove_cbt_hook();
    return "ok";
}

// hold PATH: opens an existing file without sharing it and keeps it open,
// as another program can, until "release". Writes to it then fail even
// for root, where file modes would not stop them.
std::string answer_hold(const Args& a) {
    close_held_file();
    if (a.words.size() < 2) return "err usage: hold PATH";
    const std::string path = a.line.substr(a.line.find(a.words[1], a.words[0].size()));
    g_held_file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_held_file == INVALID_HANDLE_VALUE) return "err CreateFile failed " + std::to_string(GetLastError());
    return "ok";
}

std::string answer_release(const Args&) {
    close_held_file();
    return "ok";
}

}  // namespace driver
