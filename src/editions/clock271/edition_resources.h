#pragma once
#define TIKKANO_VERSION_NUMBERS 2, 7, 1, 0
#define TIKKANO_VERSION_TEXT "2.7.1"
