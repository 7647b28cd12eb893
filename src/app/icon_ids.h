// The program's icons (src/app/tikkano.rc).
#pragma once

#define IDI_PROGRAM 122  // the program file's icon
#define IDI_TRAY 128     // the notification area icon
