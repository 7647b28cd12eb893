// The process-wide settings and how they are kept in the main sections of
// Horvik32.ini. Plain data; the file is reached through a Profile.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/language.h"
#include "base/moment.h"
#include "settings_file/profile.h"

namespace tikkano {

constexpr const char* kSettingsFileName = "Horvik32.ini";


// Colour table order.
enum ColourEntry : int { kBackground = 0, kTimeColour, kDateColour, kMemoryColour, kRamColour, kColourCount };

// The defaults of every setting are the fallbacks of settings.def.
struct IndicatorFont {
    std::string faceName;      // at most 31 characters
    int height = 0;
    std::uint8_t italic = 0;
    int weight = 0;
    std::uint8_t charSet = 0;

    bool isCustom() const { return faceName != "System"; }
};

struct Settings {
    Settings();  // the defaults; every field is zero until they are set
    // The keys, kinds and defaults of the fields are the rows of settings.def.

    int displayChoice{};
    int memoryChoice{};
    int border{};
    int topmost{};
    int shortDate{};
    std::string shortDatePicture{};
    std::string longDatePicture{};
    std::string timePicture{};
    int defSec{};
    Language language{};
    int systemDateFormat{};
    int trayStatus{};
    int x{};
    int y{};
    std::uint32_t colours[kColourCount]{};
    IndicatorFont font{};
    Moment lastClosing{};  // all zero: never closed
};

// Reads the main sections in their fixed order, with the fixed defaults and buffer
// lengths. `withLastClosing` is false for the edition that has no LastTime.
void loadSettings(const Profile& profile, Settings& settings, bool withLastClosing);

// Writes the main sections in their fixed order, each value only when the file
// does not hold it already. `left`/`top` are the indicator's window position at
// this moment and `now` the local time of the closing, which also becomes the
// last closing in memory. All of it goes into the file in one save: false when
// it failed, and then nothing is written.
// `unreadStart`, when the file was never read in this run, is what the
// program started on instead: only the values that differ from it (those the
// user changed) are written, and neither LastTime nor WavePath, which the
// program never knew.
bool saveSettings(Profile& profile, Settings& settings, int left, int top, const Moment& now,
                  bool withLastClosing, const Settings* unreadStart = nullptr);

// Keeps `covered` as LastTime, alone, while the program runs: how far today's
// reminders have fired, so that a start after a kill or a crash fires them
// not again. False when it could not be written.
bool saveLastTime(Profile& profile, const Moment& covered);

// Checks up to `checks` times whether the file can be read, with `pause`
// between the checks: true once it can.
bool awaitReadable(const Profile& profile, int checks, const std::function<void()>& pause);

// The settings once a file unreadable at start-up has been read (`read`): what
// the user changed in this run (where `current` differs from `startedOn`, a
// colour table or a font counting as one) stays, the rest comes from the file,
// and the last closing is the file's. The position is `current.x`/`current.y`
// (the indicator's place), taken from the file when the indicator stayed put.
Settings takenUpSettings(const Settings& startedOn, const Settings& current, const Settings& read);

// Display choice reduced into the display table. A negative choice (only possible
// in a hand-edited file) falls back to the default, time and date.
int normalisedDisplayChoice(int choice);
// What a display choice shows: bit 1 time, bit 2 date, bit 4 memory figures.
int displayBits(int choice);
constexpr int kShowsTime = 1, kShowsDate = 2, kShowsMemory = 4;
constexpr int kMemoryFigure = 1, kRamFigure = 2;

// Where the indicator goes on one axis after the screen changed from
// `previousExtent` to `newExtent`: stores `current` for the old size and returns
// the coordinate remembered for the new one, or nothing when no place (greater
// than 0) is remembered.
std::optional<int> swapScreenPlace(Profile& profile, char axis, int current, int previousExtent, int newExtent);

std::string formatMoment(const Moment& moment);  // "%04d%02d%02d%02d%02d"
Moment parseMoment(const std::string& text);

}  // namespace tikkano
