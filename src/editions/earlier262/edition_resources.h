#pragma once
// The edition's version with the release as its fourth number (tikkano_release.h).
#define TIKKANO_VERSION_NUMBERS 2, 6, 2, TIKKANO_RELEASE
#define TIKKANO_FILE_VERSION_TEXT "2.6.2." TIKKANO_RELEASE_TEXT
#define TIKKANO_PRODUCT_VERSION_TEXT "2.6.2, release " TIKKANO_RELEASE_TEXT " (" TIKKANO_RELEASE_DATE ")"
#define TIKKANO_DESCRIPTION "Tikkano desktop clock 2.6.2, earlier edition"
#define TIKKANO_FILE_NAME "tikkano262.exe"
// Top of the clock settings dialog's column heads, in dialog units.
#define TIKKANO_CLOCK_HEADS_Y 5
// The calendar's "День" button: its top in dialog units, and whether the
// monthly and yearly buttons stand beside it (kEdition.monthlyAndYearly).
#define TIKKANO_CALENDAR_EVERY_DAY_Y 85
#define TIKKANO_CALENDAR_MONTHLY_AND_YEARLY 0
