// The kinds of setting in settings.def: how each is read from its text,
// written back, compared and taken over. The rows reach their fields through
// an accessor checked against the kind's type. Used by settings.cpp only.
#pragma once

#include <cstdint>
#include <string>

#include "base/moment.h"
#include "settings_file/settings.h"

namespace tikkano::kinds {

enum Kind { kNumber, kDisplayChoice, kMemoryChoice, kByte, kText, kLanguageName, kColourList, kLastClosing };

using Colours = std::uint32_t[kColourCount];

// The type of field each kind names, as the rows of settings.def spell the kinds.
struct Number { using Type = int; static constexpr Kind tag = kNumber; };
// Written reduced into the display table.
struct DisplayChoice { using Type = int; static constexpr Kind tag = kDisplayChoice; };
// Written with only its two figures' bits.
struct MemoryChoice { using Type = int; static constexpr Kind tag = kMemoryChoice; };
// The low byte of the number.
struct Byte { using Type = std::uint8_t; static constexpr Kind tag = kByte; };
struct Text { using Type = std::string; static constexpr Kind tag = kText; };
// Russian for exactly "Rus", English for anything else; written "Rus" or "Eng".
struct LanguageName { using Type = Language; static constexpr Kind tag = kLanguageName; };
// Up to five colours as "%06lx,%06lx,...": the scan stops at the first value
// that does not match and the rest keep what they had.
struct ColourList { using Type = Colours; static constexpr Kind tag = kColourList; };
// The time stamp "%04d%02d%02d%02d%02d".
struct LastClosing { using Type = Moment; static constexpr Kind tag = kLastClosing; };

// `field` points at a field of the kind's type.
void read(Kind kind, void* field, const std::string& text);
std::string written(Kind kind, const void* field);
bool same(Kind kind, const void* a, const void* b);
void copy(Kind kind, void* to, const void* from);

std::string decimal(long value);

}  // namespace tikkano::kinds
