// The reminder edit dialog's fields as texts, and the rules that keep what the
// user typed exactly as typed once it is stored: the fields' limits, the
// times that can fire, the characters the settings file cannot keep.
//
// Field texts here are ANSI, as the settings file holds them; the message
// text is in its shown form (line breaks as CR LF, commas and semicolons as
// themselves).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "scheduler/reminder_store.h"

namespace tikkano {

// Longest field texts, in bytes, as the settings file keeps them and both
// editions read them back whole. The message text is counted as stored, where
// a typed line break takes two bytes as it takes two characters in the field;
// the program and its parameters share one run field with the separator
// between them.
constexpr std::size_t kTimeFieldLimit = 2;
constexpr std::size_t kTextFieldLimit = 2044;
constexpr std::size_t kSoundFieldLimit = 2046;
constexpr std::size_t kRunFieldLimit = 2046;
constexpr std::size_t kRunPartsLimit = kRunFieldLimit - 1;  // program and parameters together

struct ReminderFields {
    std::string hour;
    std::string minute;
    std::string text;
    std::string sound;
    std::string program;
    std::string parameters;
};

enum class EditField { kHour, kMinute, kSound, kText, kProgram, kParameters };

enum class FieldFault {
    kNone,
    kNotAnHour,       // not 0..23 written in at most two digits
    kNotAMinute,      // not 0..59 written in at most two digits
    kLineBreakCode,   // "|" or "\" in the message: the file reads them as line breaks
    kReservedByte,    // a byte the file uses for its own escapes in this field
    kTooLong,
    kRunTooLong,      // the program and its parameters together
};

struct FieldCheck {
    FieldFault fault = FieldFault::kNone;
    EditField field = EditField::kHour;
    char character = 0;       // the byte at fault, for kLineBreakCode and kReservedByte
    std::size_t limit = 0;    // for kTooLong and kRunTooLong
    explicit operator bool() const { return fault != FieldFault::kNone; }
};

// The program path and its parameters of a run field: split at the first
// separator; without one the whole field is the program.
struct RunParts {
    std::string program;
    std::string parameters;
};
RunParts splitRun(std::string_view run);
std::string joinRun(std::string_view program, std::string_view parameters);

// An hour or minute as typed: blanks around it are ignored, an empty field is
// 0, otherwise one or two digits with a value up to `highest`. False when the
// text is none of these.
bool readTimeNumber(std::string_view text, int highest, int& value);

// The fields that show a record: the message unescaped, every line break in
// it shown as CR LF (the file's "|" and "\" included).
ReminderFields fieldsFromReminder(const Reminder& record);

// A stored reminder opened and confirmed is stored as it was: a field that
// still holds what fieldsFromReminder(stored) showed keeps its stored form and
// is not checked again (the time excepted, which is always read from its
// field). Only the run field changes then when it lacked its separator. A new
// reminder is opened as the empty record.

// The first field, in the dialog's tab order, that cannot be stored as it
// stands.
FieldCheck checkFields(const ReminderFields& fields, const Reminder& stored = Reminder());

// The record the fields stand for; `fields` must pass checkFields.
Reminder reminderFromFields(const ReminderFields& fields, const Reminder& stored = Reminder());

// The most characters the user can bring into a field, with the other fields
// as they are now: the field's limit, and for the program and its parameters
// what the other one leaves of the run field (at least one, since an edit
// field given no limit takes any length). A field may hold more already, from
// the file; then it only takes deletions.
std::size_t typingLimit(const ReminderFields& now, EditField field);

// What the file chooser opens on for a field's text. A name the chooser
// would refuse (one it cannot use as a file name) is not handed over; the
// chooser then starts empty in the folder the text names, when that folder
// is usable.
struct ChooserStart {
    std::wstring fileName;
    std::wstring folder;
};
ChooserStart chooserStart(const std::wstring& field, std::size_t bufferSize);

}  // namespace tikkano
