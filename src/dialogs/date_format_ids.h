// The date format dialog's template and controls (src/resources/date_format.rc).
#pragma once

#define IDD_DATE_FORMAT 124

#define IDC_DATEFMT_SHORT 1029
#define IDC_DATEFMT_LONG 1030
#define IDC_DATEFMT_TIME 1031
#define IDC_DATEFMT_SHORT_LABEL 1099
#define IDC_DATEFMT_LONG_LABEL 1065
#define IDC_DATEFMT_TIME_LABEL 1066
#define IDC_DATEFMT_SYSTEM 1067
