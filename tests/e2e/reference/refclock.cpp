// The reference clock of the benchmarks: the least a Windows clock can do. One
// tool window, a 1000 ms timer, one TextOut of the time a tick.
#include <windows.h>

#include <cstdio>

namespace {

void drawTime(HWND window, HDC dc) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    TextOutA(dc, 0, 0, text, length);
    (void)window;
}

LRESULT CALLBACK referenceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER: {
        HDC dc = GetDC(window);
        drawTime(window, dc);
        ReleaseDC(window, dc);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        drawTime(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = referenceProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "TikkanoReference";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "TikkanoReference", "Reference", WS_POPUP,
                                  300, 200, 80, 20, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    // Tells the benchmark the first paint is done, as the clock's first refresh
    // does by putting the date in its title.
    SetWindowTextA(window, "Reference shown");
    SetTimer(window, 1, 1000, nullptr);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
