// The Windows programs end the standard library's error reports their own way
// (src/app/library_errors.cpp). This runs where that file is linked in, without
// GoogleTest, whose stream code needs the library's own versions.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

int failures = 0;

void expect(bool condition, const char* what) {
    if (condition) return;
    std::fputs("FAILED: ", stderr);
    std::fputs(what, stderr);
    std::fputs("\n", stderr);
    ++failures;
}

// Which of the three ways a call ended.
enum class Ending { kReturned, kOutOfMemory, kOtherException };

template <typename Call>
Ending endingOf(Call call) {
    try {
        call();
    } catch (const std::bad_alloc&) {
        return Ending::kOutOfMemory;
    } catch (const std::exception&) {
        return Ending::kOtherException;
    }
    return Ending::kReturned;
}

}  // namespace

int main() {
    std::string text = "abc";
    std::vector<int> numbers;
    expect(endingOf([&] { text.reserve(text.max_size() + 1); }) == Ending::kOutOfMemory,
           "a string size past what memory holds is running out of memory");
    expect(endingOf([&] { numbers.reserve(numbers.max_size() + 1); }) == Ending::kOutOfMemory,
           "a vector size past what memory holds is running out of memory");
    expect(endingOf([&] { (void)text.substr(5); }) == Ending::kOtherException,
           "a position past a string's end is a fault the dialogs and passes still catch");
    expect(endingOf([&] { (void)text.substr(1); }) == Ending::kReturned, "a good call returns");
    if (failures == 0) std::fputs("library errors: all passed\n", stdout);
    return failures == 0 ? 0 : 1;
}
