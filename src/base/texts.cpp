#include "base/texts.h"

#include <iterator>

namespace tikkano {
namespace {

constexpr TextPair kTexts[] = {
#pragma push_macro("TEXT")
#undef TEXT
#define TEXT(name, russian, english) {russian, english},
#include "base/texts.def"
#pragma pop_macro("TEXT")
};
static_assert(std::size(kTexts) == kTextCount, "a text without its name, or a name without its text");

}  // namespace

const char* text(TextId id, Language language) {
    if (id < 0 || id >= kTextCount) return "";
    return language == kEnglish ? kTexts[id].english : kTexts[id].russian;
}

}  // namespace tikkano
