// The program has no console to print an uncaught exception's name on; this
// plain handler keeps libstdc++'s verbose one, and the name demangler it
// carries, out of the program file.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
