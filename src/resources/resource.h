// Resource identifiers of both programs. The numbers of the dialogs, strings
// and images are fixed; the menu and caption texts are the program's own.
#pragma once

// Icons
#define IDI_PROGRAM 122  // the program file's icon
#define IDI_TRAY 128     // the notification area icon

// Menu commands added to the indicator's system menu
#define IDM_TOPMOST 5
#define IDM_ABOUT 111
#define IDM_CLOCK 112
#define IDM_CALENDAR 113
#define IDM_RUSSIAN 1001
#define IDM_ENGLISH 1002

// Dialogs opened from the menu
#define IDD_ABOUT 113
#define IDD_CLOCK 118
#define IDD_CALENDAR 119

// Menu texts, Russian first then English: IDS_MENU_TEXTS + language * IDS_MENU_TEXT_COUNT + index.
#define IDS_MENU_TEXTS 20000
#define IDS_MENU_TEXT_COUNT 6
#define IDS_MENU_CLOCK_INDEX 0
#define IDS_MENU_CALENDAR_INDEX 1
#define IDS_MENU_ABOUT_INDEX 2
#define IDS_MENU_TOPMOST_INDEX 3
#define IDS_MENU_MINIMIZE_INDEX 4
#define IDS_MENU_RESTORE_INDEX 5
#define IDS_MENU_RUSSIAN 20020
#define IDS_MENU_ENGLISH 20021

// Caption of a reminder's message box (the same in both languages).
#define IDS_REMINDER_CAPTION 20030
