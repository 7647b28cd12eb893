// Places where a test can make the program fail as if memory had run out, to
// see that the failure stays where it happened. Only the environment variable
// TIKKANO_FAULT, "point:first:count", turns one on: the named point then
// throws std::bad_alloc at its first-th arrival and the count - 1 after it.
// "point:first:count:end" ends the process there instead, at once, as a kill
// or a power cut would. Without the variable every point does nothing.
#pragma once

namespace tikkano {

void faultPoint(const char* point);

}  // namespace tikkano
