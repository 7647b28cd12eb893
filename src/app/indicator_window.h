// The indicator: the always-visible line of the clock and home of its timer,
// menu commands and orderly close.
#pragma once

#include <windows.h>

namespace tikkano {

constexpr wchar_t kIndicatorClass[] = L"HorvikClass";
constexpr UINT kClockTimer = 1;
constexpr UINT kTrayCallback = WM_USER + 8;

// Keeps the indicator above other windows, or not.
void setTopmost(HWND window, bool topmost, UINT extraFlags);

LRESULT CALLBACK indicatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tikkano
