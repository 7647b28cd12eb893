// The program's owners of what Win32 hands out: GDI objects and their
// selection into a device context, device contexts, file handles, a window's
// procedure replaced by ours, a loaded library, and a step for every way out.
// They cannot be copied, so nothing is released twice; a selection is undone
// before the object it selected is deleted (declare the owner first).
#pragma once

#include <windows.h>

namespace tikkano {

template <typename Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }
    Handle get() const { return handle_; }

private:
    Handle handle_;
};

using OwnedPen = GdiObject<HPEN>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedBitmap = GdiObject<HBITMAP>;

class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context from GetDC, released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The painting of a WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory device context compatible with another one.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// The state of a device context that is not ours (an owner-draw item's, a
// dialog control's): restored as it was, selections included, when it goes.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A kernel handle that CreateFile returned (INVALID_HANDLE_VALUE when it
// failed), closed on every way out.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// A window's own procedure replaced by ours, put back when the window is
// destroyed (call restore() at its WM_NCDESTROY) or when the owner goes,
// whichever comes first; only while ours is still the window's procedure.
class Subclass {
public:
    Subclass() = default;
    ~Subclass() { restore(); }
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    void install(HWND window, WNDPROC procedure) {
        restore();
        if (!window) return;
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
        if (previous_) window_ = window, ours_ = procedure;
    }
    void restore() {
        if (window_ && IsWindow(window_) &&
            reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) == ours_)
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        window_ = nullptr;
    }
    // The window's own procedure, also after restore().
    WNDPROC previous() const { return previous_; }

private:
    HWND window_ = nullptr;
    WNDPROC ours_ = nullptr;
    WNDPROC previous_ = nullptr;
};

// A library from LoadLibrary, freed when the owner goes unless kept.
class LoadedLibrary {
public:
    explicit LoadedLibrary(HMODULE module) : module_(module) {}
    ~LoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    HMODULE get() const { return module_; }
    // From now on the library stays loaded to the end of the program.
    void keep() { module_ = nullptr; }

private:
    HMODULE module_;
};

// A step taken on every way out of a scope, a throw included.
template <typename Step>
class AtScopeEnd {
public:
    explicit AtScopeEnd(Step step) : step_(step) {}
    ~AtScopeEnd() { step_(); }
    AtScopeEnd(const AtScopeEnd&) = delete;
    AtScopeEnd& operator=(const AtScopeEnd&) = delete;

private:
    Step step_;
};

}  // namespace tikkano
