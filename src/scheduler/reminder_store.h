// Reminders as section "Alarm" of the settings file keeps them (its keys are
// in reminder_keys.h): the text of a group of reminders, the escaping of
// message texts, and the list of today's reminders gathered from every group
// that applies to a date.
//
// A group is a run of entries, each " H: M,text,run,sound;" with the time as
// "%2d:%2d", the message text escaped (no line break, comma or semicolon in it),
// the run field as program path, kRunSeparator, parameters, and the sound path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scheduler/reminder_keys.h"

namespace tikkano {

class Profile;

constexpr char kRunSeparator = '\x83';

// One entry of a group. `text` is kept in its escaped (stored) form; `run` and
// `sound` hold the real characters, commas and semicolons included. An hour or
// minute that could not be read from the file is -1.
struct Reminder {
    int hour = 0;
    int minute = 0;
    std::string text;
    std::string run;
    std::string sound;
};

using ReminderList = std::vector<Reminder>;

inline bool operator==(const Reminder& a, const Reminder& b) {
    return a.hour == b.hour && a.minute == b.minute && a.text == b.text && a.run == b.run &&
           a.sound == b.sound;
}
inline bool operator!=(const Reminder& a, const Reminder& b) { return !(a == b); }

// Replaces every byte `from` in `text` by `to`.
void replaceChar(std::string& text, char from, char to);

// Line feed, carriage return, comma and semicolon become 0x85, 0x86, 0x82, 0x84.
std::string escapeText(std::string text);
// The stored form back to what is shown: "|" and "\" become line breaks too.
std::string unescapeText(std::string text);

// Reads the entries of a group's text. The text ends at its end or at a zero byte.
ReminderList parseGroup(std::string_view text);

// The text of a group, the whole of it, entries in list order.
std::string serializeGroup(const ReminderList& list);

// Whether an entry at this time can ever fire: at a minute of the day, or at
// a minute count within the day that a catch-up reaches (0:75 is 1:15).
bool canFire(int hour, int minute);

// Today's reminders, read as parseGroup reads the joined groups of the day, but
// only the entries that can fire, each kept as its time and where its fields
// lie in the joined text, which is held once. So the list takes at most a few
// times the bytes of the text, however the entries are written: a run of empty
// entries takes nothing, and entries that borrow the fields of one further on
// share them.
class TodayReminders {
public:
    TodayReminders() = default;
    explicit TodayReminders(std::string joined);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    int hour(std::size_t i) const { return entries_[i].hour; }
    int minute(std::size_t i) const { return entries_[i].minute; }
    // Entry i as parseGroup gives it.
    Reminder at(std::size_t i) const;
    // What the list holds, in bytes.
    std::size_t bytesTaken() const;

private:
    struct Entry {
        std::int16_t hour;
        std::int16_t minute;
        std::uint32_t fields[4];  // the three commas and the ";" that close the fields; kMissing: none
    };
    static constexpr std::uint32_t kMissing = UINT32_MAX;
    std::string text_;
    std::vector<Entry> entries_;
};

// Today's reminders: the groups of todayKeys(date) read from section "Alarm"
// and joined in that order. A group longer than the settings file's bound
// gives only the whole entries before the bound.
TodayReminders rebuildToday(const Profile& profile, const LocalDate& date, bool monthlyAndYearly);

}  // namespace tikkano
