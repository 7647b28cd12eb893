// The clock settings dialog's template and controls (src/resources/clock_settings.rc).
#pragma once

#define IDD_CLOCK 118

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
