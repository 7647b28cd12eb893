// The calendar dialog's template and controls (src/resources/calendar.rc).
#pragma once

#define IDD_CALENDAR 119

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
