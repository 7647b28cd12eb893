// The reminder edit dialog's template and controls (src/resources/reminder_edit.rc).
#pragma once

#define IDD_REMINDER_EDIT 126

#define IDC_EDIT_HOUR 1072
#define IDC_EDIT_MINUTE 1073
#define IDC_EDIT_CHOOSE_SOUND 1074
#define IDC_EDIT_TEST_SOUND 1075
#define IDC_EDIT_TEXT 1076
#define IDC_EDIT_SOUND 1077
#define IDC_EDIT_PROGRAM 1078
#define IDC_EDIT_CHOOSE_PROGRAM 1079
#define IDC_EDIT_PARAMETERS 1080
