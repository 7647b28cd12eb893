#pragma once
// The edition's version with the release as its fourth number (tikkano_release.h).
#define TIKKANO_VERSION_NUMBERS 2, 7, 1, TIKKANO_RELEASE
#define TIKKANO_FILE_VERSION_TEXT "2.7.1." TIKKANO_RELEASE_TEXT
#define TIKKANO_PRODUCT_VERSION_TEXT "2.7.1, release " TIKKANO_RELEASE_TEXT " (" TIKKANO_RELEASE_DATE ")"
#define TIKKANO_DESCRIPTION "Tikkano desktop clock 2.7.1"
#define TIKKANO_FILE_NAME "tikkano.exe"
// Top of the clock settings dialog's column heads, in dialog units.
#define TIKKANO_CLOCK_HEADS_Y 3
// The calendar's "День" button: its top in dialog units, and whether the
// monthly and yearly buttons stand beside it (kEdition.monthlyAndYearly).
#define TIKKANO_CALENDAR_EVERY_DAY_Y 83
#define TIKKANO_CALENDAR_MONTHLY_AND_YEARLY 1
