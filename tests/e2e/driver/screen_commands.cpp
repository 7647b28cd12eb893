// Commands about the screen: its pixels, its size, monitors and display mode,
// the DPI and code pages the programs see, and text extents in its fonts.
#include "commands.h"

#include <cstdio>

namespace driver {
namespace {

// Reads a screen region top-down as R, G, B bytes per pixel.
bool grab(int l, int t, int r, int b, std::vector<unsigned char>& rgb) {
    int w = r - l, h = b - t;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bmp && bits) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, w, h, screen, l, t, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(mem, old);
        if (ok) {
            rgb.resize(size_t(w) * h * 3);
            const unsigned char* p = static_cast<const unsigned char*>(bits);
            for (size_t i = 0; i < size_t(w) * h; ++i) {
                rgb[i * 3] = p[i * 4 + 2];
                rgb[i * 3 + 1] = p[i * 4 + 1];
                rgb[i * 3 + 2] = p[i * 4];
            }
        }
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

// The region L T R B in the command's words 1 to 4.
bool grab_region(const Args& a, std::vector<unsigned char>& rgb) {
    return grab(int(a.n[1]), int(a.n[2]), int(a.n[3]), int(a.n[4]), rgb);
}

// Wall-clock time in Unix milliseconds, from GetSystemTimeAsFileTime.
double unix_ms() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    ULONGLONG t = (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return double(t - 116444736000000000ULL) / 10000.0;
}

BOOL CALLBACK add_monitor(HMONITOR, HDC, LPRECT r, LPARAM out) {
    char one[64];
    std::snprintf(one, sizeof one, " %ld,%ld,%ld,%ld", r->left, r->top, r->right, r->bottom);
    *reinterpret_cast<std::string*>(out) += one;
    return TRUE;
}

// GetTextExtentPoint32A of an ANSI text in a font of the given face and
// height (an empty face: the device context's own font).
SIZE text_extent(const std::string& face, long height, const std::string& text) {
    HDC screen = GetDC(nullptr);
    HFONT font = nullptr;
    HGDIOBJ old = nullptr;
    if (!face.empty()) {
        LOGFONTA lf = {};
        lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        lf.lfHeight = LONG(height);
        font = CreateFontIndirectA(&lf);
        old = SelectObject(screen, font);
    }
    SIZE size = {};
    GetTextExtentPoint32A(screen, text.c_str(), int(text.size()), &size);
    if (font) {
        SelectObject(screen, old);
        DeleteObject(font);
    }
    ReleaseDC(nullptr, screen);
    return size;
}

}  // namespace

std::string answer_pixel(const Args& a) {
    if (!a.need(2)) return "err usage: pixel X Y";
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, int(a.n[1]), int(a.n[2]));
    ReleaseDC(nullptr, screen);
    if (c == CLR_INVALID) return "err outside the screen";
    char buf[32];
    std::snprintf(buf, sizeof buf, "ok 0x%06lx", (unsigned long)c);
    return buf;
}

// Answer: width, height, then R G B bytes of every pixel, top-down, in hex.
std::string answer_pixels(const Args& a) {
    if (!a.need(4)) return "err usage: pixels L T R B";
    std::vector<unsigned char> rgb;
    if (!grab_region(a, rgb)) return "err BitBlt failed";
    char buf[64];
    std::snprintf(buf, sizeof buf, "ok %lld %lld ", a.n[3] - a.n[1], a.n[4] - a.n[2]);
    return buf + hex_bytes(rgb.data(), rgb.size());
}

// watch L T R B MS: polls a screen region for MS milliseconds and reports
// each change as "before:after", the wall-clock times (Unix milliseconds) of
// the last poll that saw the old pixels and of the first that saw the new
// ones. First number: polls made.
std::string answer_watch(const Args& a) {
    if (!a.need(5)) return "err usage: watch L T R B MS";
    std::vector<unsigned char> last, now;
    const double end = unix_ms() + double(a.n[5]);
    double previous = unix_ms();
    if (!grab_region(a, last)) return "err BitBlt failed";
    long polls = 1;
    std::string changes;
    for (;;) {
        const double before = previous;
        if (!grab_region(a, now)) return "err BitBlt failed";
        const double seen = unix_ms();
        ++polls;
        if (now != last) {
            char buf[64];
            std::snprintf(buf, sizeof buf, " %.1f:%.1f", before, seen);
            changes += buf;
            last.swap(now);
        }
        previous = seen;
        if (seen >= end) break;
    }
    return "ok " + std::to_string(polls) + changes;
}

std::string answer_screen(const Args&) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "ok %d %d %d %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return buf;
}

// Answer: GetSystemMetrics(SM_CMONITORS), then each rectangle EnumDisplayMonitors
// gives, as L,T,R,B, primary first as the system lists it.
std::string answer_monitors(const Args&) {
    std::string rects;
    EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&rects));
    return "ok " + std::to_string(GetSystemMetrics(SM_CMONITORS)) + rects;
}

std::string answer_displaymode(const Args& a) {
    if (!a.need(2)) return "err usage: displaymode W H";
    DEVMODEA dm = {};
    dm.dmSize = sizeof dm;
    dm.dmPelsWidth = DWORD(a.n[1]);
    dm.dmPelsHeight = DWORD(a.n[2]);
    dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    LONG r = ChangeDisplaySettingsExA(nullptr, &dm, nullptr, 0, nullptr);
    if (r != DISP_CHANGE_SUCCESSFUL) return "err ChangeDisplaySettingsExA " + std::to_string(r);
    return "ok";
}

std::string answer_dpi(const Args&) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return "ok " + std::to_string(dpi);
}

std::string answer_locale(const Args&) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "ok %u %u 0x%04lx", GetACP(), GetOEMCP(), (unsigned long)GetUserDefaultLCID());
    return buf;
}

// extent HEXFACE HEIGHT HEXTEXT: GetTextExtentPoint32A of an ANSI text in a
// font made like the clock's (face "-": the device context's own font).
std::string answer_extent(const Args& a) {
    if (a.words.size() != 4 || !a.is_num[2]) return "err usage: extent HEXFACE HEIGHT HEXTEXT";
    std::string face, text;
    if (a.words[1] != "-" && !unhex(a.words[1], face)) return "err bad hex";
    if (a.words[3] != "-" && !unhex(a.words[3], text)) return "err bad hex";
    const SIZE size = text_extent(face, long(a.n[2]), text);
    char buf[64];
    std::snprintf(buf, sizeof buf, "ok %ld %ld", size.cx, size.cy);
    return buf;
}

}  // namespace driver
