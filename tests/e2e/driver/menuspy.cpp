// tikkano_menuspy.dll: loaded into a running clock by tikkano_driver. Its
// exports run on a thread of the clock's process, where what another process
// cannot read is at hand: the indicator's system menu (another process gets no
// handle to it), the tooltips' texts, the fonts of dialog controls (a font
// handle means nothing outside its process). Each writes a file, one item a
// line, fields separated by tabs; the system menu as command id (hex), state
// flags (hex), text (UTF-8).
//
// The readings of windows are in menuspy_windows.cpp; here are the font
// selection watch and the counts of what the process holds.
#include <windows.h>
#include <winternl.h>

#include <cstdio>

// Font selection watch: the clock's own imports of SelectObject and MessageBoxW
// are redirected here. Every font selection is followed per device context;
// when the clock opens a message box, the number of device contexts that still
// hold a font other than their own is written to the watch file, together with
// the number of font selections seen, before the box opens.
namespace {

using SelectObjectFn = HGDIOBJ(WINAPI*)(HDC, HGDIOBJ);
using MessageBoxWFn = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
SelectObjectFn g_select = nullptr;
MessageBoxWFn g_message_box = nullptr;
char g_watch_path[MAX_PATH];

struct DcFont {
    HDC dc;
    HGDIOBJ own;  // the font the context had before the clock selected one
    bool foreign;
};
DcFont g_dcs[64];
int g_dc_count = 0;
long g_font_selections = 0;

HGDIOBJ WINAPI watched_select(HDC dc, HGDIOBJ object) {
    HGDIOBJ previous = g_select(dc, object);
    if (previous && GetObjectType(object) == OBJ_FONT) {
        ++g_font_selections;
        DcFont* entry = nullptr;
        for (int i = 0; i < g_dc_count; ++i)
            if (g_dcs[i].dc == dc) entry = &g_dcs[i];
        if (!entry && g_dc_count < 64) entry = &(g_dcs[g_dc_count++] = DcFont{dc, previous, false});
        if (entry) entry->foreign = object != entry->own;
    }
    return previous;
}

int WINAPI watched_message_box(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    int held = 0;
    for (int i = 0; i < g_dc_count; ++i) held += g_dcs[i].foreign ? 1 : 0;
    if (FILE* out = std::fopen(g_watch_path, "ab")) {
        std::fprintf(out, "held %d selections %ld\n", held, g_font_selections);
        std::fclose(out);
    }
    return g_message_box(owner, text, caption, type);
}

// Points the executable's import of dll!name at `hook`; keeps the real one.
bool redirect_import(const char* dll, const char* name, void* hook, void** real) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return false;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk
                                                                                          : d->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<char*>(by_name->Name), name) != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
            *real = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(hook);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
}

}  // namespace

// Thread procedure; the parameter is the watch file's path (ANSI). Returns 2
// when both imports are watched, or 0xFFFFFFFF.
extern "C" __declspec(dllexport) DWORD WINAPI watch_font_selection(LPVOID param) {
    lstrcpynA(g_watch_path, static_cast<const char*>(param), MAX_PATH);
    if (g_select) return 2;  // watched already
    void* select = nullptr;
    void* message_box = nullptr;
    if (!redirect_import("gdi32.dll", "SelectObject", reinterpret_cast<void*>(&watched_select), &select))
        return 0xFFFFFFFFu;
    g_select = reinterpret_cast<SelectObjectFn>(select);
    if (!redirect_import("user32.dll", "MessageBoxW", reinterpret_cast<void*>(&watched_message_box), &message_box))
        return 0xFFFFFFFFu;
    g_message_box = reinterpret_cast<MessageBoxWFn>(message_box);
    return 2;
}

// Thread procedure; the parameter is the output path (ANSI). Fills Wine's
// cache of window device contexts, which otherwise grows by one (a device
// context, its visible region and its surface) whenever a window asks for a
// device context while no cached one is free of a window, until it holds 64;
// it never shrinks. Holding 64 at once from windows of its own, then letting
// them go, leaves the cache full and every entry free, so that the GDI object
// count of the process no longer moves with it. Writes the number of device
// contexts held; returns it, or 0xFFFFFFFF.
extern "C" __declspec(dllexport) DWORD WINAPI fill_dc_cache(LPVOID param) {
    const int cache_size = 64;
    HWND windows[cache_size] = {};
    HDC dcs[cache_size] = {};
    DWORD held = 0;
    for (int i = 0; i < cache_size; ++i) {
        windows[i] = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        if (windows[i]) dcs[i] = GetDCEx(windows[i], nullptr, DCX_CACHE);
        if (dcs[i]) ++held;
    }
    for (int i = 0; i < cache_size; ++i) {
        if (dcs[i]) ReleaseDC(windows[i], dcs[i]);
        if (windows[i]) DestroyWindow(windows[i]);
    }
    FILE* out = std::fopen(static_cast<const char*>(param), "wb");
    if (!out) return 0xFFFFFFFFu;
    std::fprintf(out, "%lu\n", static_cast<unsigned long>(held));
    std::fclose(out);
    return held;
}

// Thread procedure; the parameter is the output path (ANSI). Writes how many
// GDI objects this process holds (fonts, brushes, bitmaps, device contexts,
// regions...), stock objects left out. Windows offers GetGuiResources for
// this, which Wine leaves unimplemented (it answers 0); both keep the objects
// in a handle table the PEB points to, whose entries are 24 bytes: the object
// (8), the owner (4), the unique word (2, with the stock flag in bit 7), the
// type (1, 0 for a free entry), flags (1), a user pointer (8).
// Returns the number of entries in use, or 0xFFFFFFFF.
extern "C" __declspec(dllexport) DWORD WINAPI dump_gdi_objects(LPVOID param) {
#ifdef _WIN64
    const size_t table_offset = 0xF8;
#else
    const size_t table_offset = 0x94;
#endif
    // GCC takes the segment read inside NtCurrentTeb for an out-of-bounds array
    // access on 32-bit builds.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const auto* peb = reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
    const unsigned char* table = *reinterpret_cast<const unsigned char* const*>(peb + table_offset);
    if (!table) return 0xFFFFFFFFu;
    const size_t entry_size = 24, entries = 0x10000;
    DWORD in_use = 0;
    DWORD by_type[128] = {};
    for (size_t i = 0; i < entries; ++i) {
        const unsigned char* entry = table + i * entry_size;
        const bool stock = entry[12] & 0x80;
        if (entry[14] != 0 && !stock) {
            ++in_use;
            ++by_type[entry[12] & 0x7F];
        }
    }
    FILE* out = std::fopen(static_cast<const char*>(param), "wb");
    if (!out) return 0xFFFFFFFFu;
    // The total, then "type:count" for each kind (the handle type's upper
    // word: 0x01 device context, 0x41 memory DC, 0x04 region, 0x09 bitmap, 0x0a font,
    // 0x10 brush, 0x30 pen).
    std::fprintf(out, "%lu\n", static_cast<unsigned long>(in_use));
    for (int type = 0; type < 128; ++type)
        if (by_type[type]) std::fprintf(out, "%02x:%lu ", type, static_cast<unsigned long>(by_type[type]));
    std::fputc('\n', out);
    std::fclose(out);
    return in_use;
}

// Thread procedure; the parameter is the output path (ANSI). Writes the bytes
// and blocks in use in all the process's Windows heaps (the program's own
// allocations and those of the system DLLs it uses), walked one heap at a time.
// Returns the number of heaps walked, or 0xFFFFFFFF.
extern "C" __declspec(dllexport) DWORD WINAPI dump_heap_use(LPVOID param) {
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    if (count == 0 || count > 256) return 0xFFFFFFFFu;
    unsigned long long bytes = 0, blocks = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                bytes += entry.cbData;
                ++blocks;
            }
        HeapUnlock(heaps[i]);
    }
    FILE* out = std::fopen(static_cast<const char*>(param), "wb");
    if (!out) return 0xFFFFFFFFu;
    std::fprintf(out, "%llu %llu\n", bytes, blocks);
    std::fclose(out);
    return count;
}
