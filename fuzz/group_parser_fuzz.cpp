// Reads arbitrary bytes as the text of a reminder group, writes the entries back
// and reads them again: the second reading must give the same entries. The
// message text escaping must also come back to what was typed, and today's
// list must hold the entries that can fire, read the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scheduler/reminder_store.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool hasByte(const std::string& text, std::string_view bytes) {
    return text.find_first_of(bytes.data(), 0, bytes.size()) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace tikkano;
    const std::string input(reinterpret_cast<const char*>(data), size);

    const ReminderList first = parseGroup(input);
    const ReminderList second = parseGroup(serializeGroup(first));
    require(second.size() == first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        const Reminder& a = first[i];
        const Reminder& b = second[i];
        require(a.text == b.text && a.run == b.run && a.sound == b.sound);
        if (a.hour != -1) require(a.hour == b.hour);
        if (a.minute != -1) require(a.minute == b.minute);
    }
    require(serializeGroup(second) == serializeGroup(first));

    // Today's list keeps exactly the entries that can fire, as the parse reads them.
    const TodayReminders today(input);
    std::size_t kept = 0;
    for (const Reminder& r : first) {
        if (!canFire(r.hour, r.minute)) continue;
        require(kept < today.size() && today.at(kept) == r);
        ++kept;
    }
    require(kept == today.size());

    // The escape bytes and "|" and "\" mean something else when read back, so
    // only texts without them come back exactly; any text shows the same.
    const std::string escaped = escapeText(input);
    require(!hasByte(escaped, std::string_view("\n\r,;", 4)));
    require(unescapeText(escaped) == unescapeText(input));
    if (!hasByte(input, std::string_view("|\\\x82\x84\x85\x86", 6)))
        require(unescapeText(escaped) == input);
    return 0;
}
