// The reminder list dialog's template and controls (src/resources/reminder_list.rc).
#pragma once

#define IDD_REMINDER_LIST 125

#define IDC_LIST_LINES 1068
#define IDC_LIST_ADD 1069
#define IDC_LIST_CHANGE 1070
#define IDC_LIST_DELETE 1071
