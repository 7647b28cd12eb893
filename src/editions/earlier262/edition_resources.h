#pragma once
#define TIKKANO_VERSION_NUMBERS 2, 6, 2, 0
#define TIKKANO_VERSION_TEXT "2.6.2"
