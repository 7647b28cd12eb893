// Choices behind the time and date segments; the formatting itself is Windows'.
#pragma once

#include <string>

namespace tikkano {

struct Settings;

// Which GetDateFormat call the settings ask for: a flag (0, short 1, long 2) and
// the picture to pass, or none for the user's system format.
struct DateCall {
    unsigned flags = 0;
    const std::string* picture = nullptr;
};
DateCall chooseDateCall(const Settings& settings);

constexpr unsigned kDateShortDate = 1;
constexpr unsigned kDateLongDate = 2;
constexpr std::size_t kTimeBufferLength = 29;
constexpr std::size_t kDateBufferLength = 49;

// Keeps the last text a format call produced, so a call that fails (a picture
// Windows rejects, a result too long for its buffer) shows the previous text
// instead of garbage or nothing.
class LastGoodText {
public:
    // `result` is what the call wrote, `succeeded` whether it returned non-zero.
    void update(bool succeeded, const char* result) {
        if (succeeded) text_ = result;
    }
    // The segment: a blank, the text, a blank.
    std::string segment() const { return " " + text_ + " "; }

private:
    std::string text_;
};

}  // namespace tikkano
