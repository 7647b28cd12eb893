// Resource identifiers of both programs. The numbers of the dialogs, their
// controls, the strings and the images are fixed; several dialogs reuse the
// same control numbers, so each dialog's controls carry its own prefix.
#pragma once

// Icons and images
#define IDI_PROGRAM 122  // the program file's icon
#define IDI_TRAY 128     // the notification area icon
#define IDB_ABOUT 127    // the about dialog's picture, 75 x 56

// Menu commands added to the indicator's system menu
#define IDM_TOPMOST 5
#define IDM_ABOUT 111
#define IDM_CLOCK 112
#define IDM_CALENDAR 113
#define IDM_RUSSIAN 1001
#define IDM_ENGLISH 1002

// Dialogs
#define IDD_ABOUT 113
#define IDD_CLOCK 118
#define IDD_CALENDAR 119
#define IDD_DATE_FORMAT 124
#define IDD_REMINDER_LIST 125
#define IDD_REMINDER_EDIT 126

// String table: the maker's contact lines and the about description, 24 lines
// per language at (language + 10) * 1000 + line.
#define IDS_CONTACT_MAIL 2
#define IDS_CONTACT_WEB 3
#define IDS_ABOUT_LINES 10000
#define IDS_ABOUT_LINE_COUNT 24

// Calendar (119)
#define IDC_CAL_DAY_FIRST 1101  // day buttons 1101..1138: column w, row r is 1101 + 7w + r
#define IDC_CAL_DAY_LAST 1138
#define IDC_CAL_WEEKDAY_SUNDAY 1200  // weekday buttons 1200 (Sunday) .. 1206 (Saturday)
#define IDC_CAL_WEEKDAY_SATURDAY 1206
#define IDC_CAL_EVERY_DAY 1300
#define IDC_CAL_MONTHLY 1301
#define IDC_CAL_YEARLY 1302
#define IDC_CAL_MONTH_BACK 1053
#define IDC_CAL_MONTH_FORWARD 1054
#define IDC_CAL_YEAR_BACK 1055
#define IDC_CAL_YEAR_FORWARD 1056
#define IDC_CAL_TODAY 1057

// Reminder list (125)
#define IDC_LIST_LINES 1068
#define IDC_LIST_ADD 1069
#define IDC_LIST_CHANGE 1070
#define IDC_LIST_DELETE 1071

// Reminder edit (126)
#define IDC_EDIT_HOUR 1072
#define IDC_EDIT_MINUTE 1073
#define IDC_EDIT_CHOOSE_SOUND 1074
#define IDC_EDIT_TEST_SOUND 1075
#define IDC_EDIT_TEXT 1076
#define IDC_EDIT_SOUND 1077
#define IDC_EDIT_PROGRAM 1078
#define IDC_EDIT_CHOOSE_PROGRAM 1079
#define IDC_EDIT_PARAMETERS 1080

// Clock settings (118)
#define IDC_CLOCK_SHOW_TIME 102
#define IDC_CLOCK_SHOW_DATE 103
#define IDC_CLOCK_SHOW_MEMORY 104
#define IDC_CLOCK_SHOW_RAM 105
#define IDC_CLOCK_BACKGROUND 111  // colour buttons 111..115 in colour table order
#define IDC_CLOCK_TIME_COLOUR 112
#define IDC_CLOCK_DATE_COLOUR 113
#define IDC_CLOCK_MEMORY_COLOUR 114
#define IDC_CLOCK_RAM_COLOUR 115
#define IDC_CLOCK_FONT 1032
#define IDC_CLOCK_STANDARD 1033
#define IDC_CLOCK_SYSTEM_FONT 1037
#define IDC_CLOCK_BORDER 1038
#define IDC_CLOCK_WHOLE_MINUTE 1039
#define IDC_CLOCK_SHORT_DATE 1040
#define IDC_CLOCK_CONTROL_PANEL 1041
#define IDC_CLOCK_HEADS 1061
#define IDC_CLOCK_DATE_FORMAT 1064

// Date format (124)
#define IDC_DATEFMT_SHORT 1029
#define IDC_DATEFMT_LONG 1030
#define IDC_DATEFMT_TIME 1031
#define IDC_DATEFMT_SHORT_LABEL 1099
#define IDC_DATEFMT_LONG_LABEL 1065
#define IDC_DATEFMT_TIME_LABEL 1066
#define IDC_DATEFMT_SYSTEM 1067

// About (113)
#define IDC_ABOUT_NAME 1057
#define IDC_ABOUT_AUTHOR_LABEL 1058
#define IDC_ABOUT_AUTHOR 1059
#define IDC_ABOUT_PLACE 1060
#define IDC_ABOUT_MAIL 1030
#define IDC_ABOUT_WEB 1032
#define IDC_ABOUT_LINES 1036
#define IDC_ABOUT_PICTURE 1080
