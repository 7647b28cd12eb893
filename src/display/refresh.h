// The indicator refresh, run for every paint and every tick of the clock.
#pragma once

#include <windows.h>

namespace tikkano {

void refreshIndicator(HWND indicator, HDC dc);

}  // namespace tikkano
