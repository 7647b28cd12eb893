#include "base/profile.h"

#include <gtest/gtest.h>

#include "support/memory_profile.h"

namespace tikkano {
namespace {

TEST(Profile, DecimalsReadLikeTheSettingsFileWritesThem) {
    EXPECT_EQ(parseDecimal(""), 0);
    EXPECT_EQ(parseDecimal("  17"), 17);
    EXPECT_EQ(parseDecimal("-13"), -13);
    EXPECT_EQ(parseDecimal("+5x"), 5);
    EXPECT_EQ(parseDecimal("x5"), 0);
    EXPECT_EQ(parseDecimal("- 5"), 0);
    EXPECT_EQ(parseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(parseDecimal("99999999999999999999999"), 2147483647);
    EXPECT_EQ(parseDecimal("-99999999999999999999999"), -2147483647 - 1);
}

TEST(Profile, BoundedReadsKeepOneLessThanTheBuffer) {
    test::MemoryProfile file;
    file.write("S", "K", "abcdef");
    EXPECT_EQ(readBounded(file, "S", "K", "", 4), "abc");
    EXPECT_EQ(readBounded(file, "S", "K", "", 7), "abcdef");
    EXPECT_EQ(readBounded(file, "S", "missing", "fallback", 5), "fall");
}

}  // namespace
}  // namespace tikkano
