// The about dialog's template, controls and picture (src/resources/about.rc).
#pragma once

#define IDD_ABOUT 113
#define IDB_ABOUT 127  // the about dialog's picture, 75 x 56

#define IDC_ABOUT_NAME 1057
#define IDC_ABOUT_AUTHOR_LABEL 1058
#define IDC_ABOUT_AUTHOR 1059
#define IDC_ABOUT_PLACE 1060
#define IDC_ABOUT_MAIL 1030
#define IDC_ABOUT_WEB 1032
#define IDC_ABOUT_LINES 1036
#define IDC_ABOUT_PICTURE 1080
