#pragma once

#include <cstddef>

namespace tikkano {

// The program's own printf: the C runtime's formatter and scanner bring their
// floating-point machinery into the program, several times the size of the
// few conversions it uses.
//
// Like std::snprintf for %d %u %x (each also with 'l'), %s, %c and %%, with the
// flag '0' and a width: writes at most size - 1 characters and a closing NUL,
// returns the length the whole text would have.
int formatTo(char* out, std::size_t size, const char* pattern, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Reads one number field as sscanf's "%<width>d" (base 10) or "%<width>lx"
// (base 16) does: blanks are skipped, then at most `width` characters are
// taken: a sign, for base 16 an optional "0x", and the digits. Where no digit
// follows, returns false and leaves the cursor where it was. A "0x" with no
// digit after it reads as 0, as the GNU C library has it.
bool scanNumberField(const char*& cursor, int width, int base, long long& value);

}  // namespace tikkano
