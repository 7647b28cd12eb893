// How the standard library's own error reports end in the programs.
//
// The library reports a misused string, vector or function through a few
// helpers that build std::logic_error and its kin; those carry a copy-on-write
// string of their own and with it some 45 KB of the static runtime that
// nothing else uses. The programs never catch them by type: a size past what
// memory can hold is running out of memory, and the rest are faults of the
// program, which end a dialog or the program like any other exception.
//
// With the library's checks on (-D_GLIBCXX_ASSERTIONS, needed so that strings
// are built from the headers rather than the runtime's prebuilt copies), a
// failed check ends the program; there is no console to print it on.
#include <exception>
#include <new>

#if defined(__GLIBCXX__)
namespace {

struct ProgramFault : std::exception {
    const char* what() const noexcept override { return "program fault"; }
};

}  // namespace

namespace std {
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_length_error(const char*) { throw std::bad_alloc(); }
void __throw_logic_error(const char*) { throw ProgramFault(); }
void __throw_out_of_range(const char*) { throw ProgramFault(); }
void __throw_out_of_range_fmt(const char*, ...) { throw ProgramFault(); }
void __throw_invalid_argument(const char*) { throw ProgramFault(); }
void __throw_bad_function_call() { throw ProgramFault(); }
#if defined(_GLIBCXX_ASSERTIONS)
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept { std::terminate(); }
#endif
}  // namespace std
#endif
