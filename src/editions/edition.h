// What differs between the two programs built from this tree. Each program's
// target puts exactly one of the edition folders on its include path, and that
// folder's edition_choice.h defines kEdition; nothing else in the code tests
// which program it is part of.
#pragma once

namespace tikkano {

struct Edition {
    const char* version;          // "2.7.1" or "2.6.2"
    bool settingsBesideProgram;   // settings file in the start-up directory, else bare name
    bool keepsLastClosing;        // reads and writes LastTime
    bool catchesUp;               // fires at start the reminders missed earlier today
    bool monthlyAndYearly;        // knows the M.. and Y.... reminder keys
    bool passesWorkingFolder;     // hands the program's folder to the shell
    bool remembersScreenPlaces;   // X1024 / Y768 position keys
    bool ramFigureWithLoad;       // RAM figure as "(%luk, %lu%%) "
    bool selectsDay;              // the calendar's right-click day selection, drawn sunken
    bool groupCaptionPlaces;      // the calendar's group buttons place their captions themselves
    int aboutPlaceText;           // text table entry of the about dialog's place-and-year line
};

}  // namespace tikkano
