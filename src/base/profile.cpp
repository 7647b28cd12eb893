#include "base/profile.h"

#include <climits>

namespace tikkano {

std::string readBounded(const Profile& profile, const std::string& section, const std::string& key,
                        const std::string& fallback, std::size_t bufferLength) {
    std::string value = profile.read(section, key, fallback);
    const std::size_t keep = bufferLength == 0 ? 0 : bufferLength - 1;
    if (value.size() > keep) value.resize(keep);
    return value;
}

int parseDecimal(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

}  // namespace tikkano
