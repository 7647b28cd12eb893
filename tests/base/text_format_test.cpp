#include "base/text_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdio>
#include <string>

namespace tikkano {
namespace {

// The program's formatter must write what the C library's would, truncation included.
TEST(TextFormat, WritesWhatSnprintfWrites) {
    const int ints[] = {0, 7, -7, 42, -42, 1234, 99999, -100000, INT_MAX, INT_MIN};
    const char* intPatterns[] = {"%d", "%02d", "%2d", "%04d", "M%02d", "%2d:%02d - ", "<%7d>", "%07d", "%u", "%x"};
    const std::size_t sizes[] = {0, 1, 2, 4, 64};
    for (const char* pattern : intPatterns)
        for (int value : ints)
            for (std::size_t size : sizes) {
                char ours[64] = "untouched";
                char theirs[64] = "untouched";
                const int ourLength = formatTo(ours, size, pattern, value, value);
                const int theirLength = std::snprintf(theirs, size, pattern, value, value);
                SCOPED_TRACE(std::string(pattern) + " " + std::to_string(value) + " size " + std::to_string(size));
                EXPECT_EQ(ourLength, theirLength);
                EXPECT_STREQ(ours, theirs);
            }

    const unsigned long longs[] = {0, 0xffffff, 0x1234, 0xabcdefUL, 4294967295UL};
    for (unsigned long value : longs)
        for (const char* pattern : {"%06lx", "%lu", "%luk ", "(%luk, %lu%%) ", "%ld"}) {
            char ours[64];
            char theirs[64];
            EXPECT_EQ(formatTo(ours, sizeof ours, pattern, value, value),
                      std::snprintf(theirs, sizeof theirs, pattern, value, value));
            EXPECT_STREQ(ours, theirs) << pattern << " " << value;
        }

    for (const char* pattern : {"%s", "%5s", "[%s|%c|%3c]", "<%2s>"}) {
        char ours[32];
        char theirs[32];
        EXPECT_EQ(formatTo(ours, 9, pattern, "abc", 'z', 'q'), std::snprintf(theirs, 9, pattern, "abc", 'z', 'q'));
        EXPECT_STREQ(ours, theirs) << pattern;
    }
}

struct Scanned {
    bool matched;
    long long value;
    std::ptrdiff_t consumed;
};

Scanned ours(const char* text, int width, int base) {
    const char* cursor = text;
    long long value = -999;
    const bool matched = scanNumberField(cursor, width, base, value);
    return {matched, value, cursor - text};
}

Scanned theirs(const char* text, int width, int base) {
    const std::string pattern = "%" + std::to_string(width) + (base == 16 ? "llx%n" : "lld%n");
    long long value = -999;
    int consumed = 0;
    const bool matched = std::sscanf(text, pattern.c_str(), &value, &consumed) == 1;
    return {matched, matched ? value : -999, matched ? consumed : 0};
}

TEST(TextFormat, NumberFieldsScanAsSscanfDoes) {
    const char* inputs[] = {"123456789", "  -12", "+7", "0x1A2b3c4", "0X12", "ffffff", "FFFFFFF", "-1", "", "abc",
                            "12ab", "\t\n 5", "-", "+", "--1", "1 2", "00000042", "-0x10", "999999999999", "0xg",
                            "0x", "0x,12", " -0x"};
    for (const char* text : inputs)
        for (int width : {1, 2, 4, 6, 12})
            for (int base : {10, 16}) {
                const Scanned a = ours(text, width, base);
                const Scanned b = theirs(text, width, base);
                SCOPED_TRACE(std::string("'") + text + "' width " + std::to_string(width) + " base " +
                             std::to_string(base));
                EXPECT_EQ(a.matched, b.matched);
                EXPECT_EQ(a.value, b.value);
                EXPECT_EQ(a.consumed, b.consumed);
            }
}

}  // namespace
}  // namespace tikkano
