// The commands that the program adds to the indicator's system menu.
#pragma once

#define IDM_TOPMOST 5
#define IDM_ABOUT 111
#define IDM_CLOCK 112
#define IDM_CALENDAR 113
#define IDM_RUSSIAN 1001
#define IDM_ENGLISH 1002
