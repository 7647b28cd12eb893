// The string table (src/resources/about_strings.rc and the earlier edition's):
// the maker's contact lines and the about description, 24 lines per language
// at (language + 10) * 1000 + line. Only the about dialog reads it.
#pragma once

#define IDS_CONTACT_MAIL 2
#define IDS_CONTACT_WEB 3
#define IDS_ABOUT_LINES 10000
#define IDS_ABOUT_LINE_COUNT 24
