// tikkano_cbtblock.dll: a global WH_CBT hook that forbids the creation of any
// window of class "HorvikClass" (the clock's indicator), so a test can see what
// the clock does when its indicator cannot be created. The driver installs it
// ("cbtblock DLL") and removes it ("cbtunblock"); Wine loads the DLL into each
// process that creates a window while the hook is set.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK block_indicator(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        char name[64] = {0};
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
        if (lstrcmpA(name, "HorvikClass") == 0) return 1;  // nonzero: the creation fails
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
