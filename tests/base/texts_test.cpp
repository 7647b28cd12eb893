#include "base/texts.h"

#include <gtest/gtest.h>

#include <string>

namespace tikkano {
namespace {

// The conversions of a printf-style text ("%d", "%s", ...), in order; "%%" is none.
std::string conversions(const char* text) {
    std::string found;
    for (const char* c = text; *c; ++c) {
        if (*c != '%') continue;
        if (*++c == '%') continue;
        while (*c && std::string("diuxXscp").find(*c) == std::string::npos) found += *c++;
        if (*c) found += *c;
        found += ' ';
        if (!*c) break;
    }
    return found;
}

// A translation that takes other values than the original reads the wrong
// argument when it is formatted: nothing but the other language shows it.
TEST(Texts, BothLanguagesTakeTheSameValues) {
    for (int id = 0; id < kTextCount; ++id)
        EXPECT_EQ(conversions(text(id, kRussian)), conversions(text(id, kEnglish))) << "text " << id;
    EXPECT_EQ(conversions("%d%% %02d:%s"), "d 02d s ");
}

}  // namespace
}  // namespace tikkano
