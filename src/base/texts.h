// Every text of the program's own that a window shows, as (Russian, English)
// pairs in UTF-8. The texts themselves are the rows of texts.def; the names
// here and the table in texts.cpp are made from those rows, so the two cannot
// drift apart.
#pragma once

#include "base/language.h"

namespace tikkano {

enum TextId : int {
// TEXT is also a Windows macro: put aside while the rows expand.
#pragma push_macro("TEXT")
#undef TEXT
#define TEXT(name, russian, english) name,
#include "base/texts.def"
#pragma pop_macro("TEXT")


    kTextCount
};

// Runs that code reads as first + i: each must be whole and in order.
static_assert(kTextWeekdaySaturday - kTextWeekdaySunday == 6, "the weekdays are not one run of seven");
static_assert(kTextMonthDecember - kTextMonthJanuary == 11, "the months are not one run of twelve");
static_assert(kTextMonthGenitiveDecember - kTextMonthGenitiveJanuary == 11,
              "the months in the genitive are not one run of twelve");

struct TextPair {
    const char* russian;
    const char* english;
};

// The text for the interface language, in UTF-8.
const char* text(TextId id, Language language);
inline const char* text(int id, Language language) { return text(static_cast<TextId>(id), language); }

}  // namespace tikkano
