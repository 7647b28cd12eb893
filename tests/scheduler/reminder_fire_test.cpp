#include "scheduler/reminder_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scheduler/reminder_check_support.h"

namespace tikkano {
namespace {

using namespace test;

TEST(ReminderMessage, OwnTimeThenUnescapedText) {
    EXPECT_EQ(reminderMessage(at(9, 30, "Team|Room 2")), "09:30 - Team\nRoom 2");
    EXPECT_EQ(reminderMessage(at(14, 0, "a\x82 b\x84")), "14:00 - a, b;");
    EXPECT_EQ(reminderMessage(at(14, 0, "")), "");
}

TEST(FireReminder, BeepAndBoxWhenNoSoundAndNoProgram) {
    RecordingActions actions;
    fireReminder(at(14, 0, "Hello"), true, actions);
    EXPECT_EQ(actions.events, (std::vector<std::string>{"beep", "box 14:00 - Hello"}));
}

TEST(FireReminder, SoundWithoutTextShowsNoBox) {
    Reminder r = at(8, 0, "");
    r.sound = "C:\\Sounds\\bell.wav";
    RecordingActions actions;
    fireReminder(r, true, actions);
    EXPECT_EQ(actions.events, (std::vector<std::string>{"sound C:\\Sounds\\bell.wav"}));
}

TEST(FireReminder, ProgramStartsInItsFolderWhenTheEditionPassesIt) {
    Reminder r = at(8, 0, "x");
    r.run = "C:\\Tools\\notes.exe\x83" "agenda.txt";
    RecordingActions clock, earlier;
    fireReminder(r, true, clock);
    fireReminder(r, false, earlier);
    EXPECT_EQ(clock.events[1], "open C:\\Tools\\notes.exe | agenda.txt | C:\\Tools");
    EXPECT_EQ(earlier.events[1], "open C:\\Tools\\notes.exe | agenda.txt | <none>");
}

TEST(FireReminder, AProgramThatCannotStartIsToldInTheRemindersBoxOrABoxOfItsOwn) {
    Reminder withText = at(8, 0, "Backup");
    withText.run = "\"C:\\Tools\\gone.exe\"\x83";
    Reminder withoutText = withText;
    withoutText.text.clear();
    RecordingActions failing;
    failing.openError = 2;
    fireReminder(withText, true, failing);
    fireReminder(withoutText, true, failing);
    const std::vector<std::string> told{
        "beep", "open C:\\Tools\\gone.exe |  | C:\\Tools", "box 08:00 - Backup + not started C:\\Tools\\gone.exe 2",
        "beep", "open C:\\Tools\\gone.exe |  | C:\\Tools", "box  + not started C:\\Tools\\gone.exe 2"};
    EXPECT_EQ(failing.events, told);

    RecordingActions started;
    fireReminder(withoutText, true, started);
    EXPECT_EQ(started.events.size(), 2u) << "a program that started and no text: no box";
}

TEST(FireReminder, RunFieldSplitting) {
    struct Case {
        std::string run;
        std::string expected;  // empty: nothing opened
    };
    const std::string longPath = "D:\\" + std::string(3000, 'p') + "\\go.bat";
    const Case cases[] = {
        {"notepad.exe\x83" "a.txt", "open notepad.exe | a.txt | <none>"},
        {"C:\\x.exe", "open C:\\x.exe |  | C:"},
        {"C:\\x.exe\x83" "a\x83" "b", "open C:\\x.exe | a\x83" "b | C:"},
        {longPath + "\x83" "q", "open " + longPath + " | q | D:\\" + std::string(3000, 'p')},
        {std::string(1, kRunSeparator), ""},
        {"", ""},
        // A path in quotes, as Explorer copies it: the quotes go before the folder is cut.
        {"\"C:\\Program Files\\Tool\\t.exe\"\x83" "a.txt",
         "open C:\\Program Files\\Tool\\t.exe | a.txt | C:\\Program Files\\Tool"},
        {"  \"C:\\T\\t.exe\" -q \x83" "a.txt", "open C:\\T\\t.exe | -q a.txt | C:\\T"},
        {"\"C:\\T\\t.exe\" -q", "open C:\\T\\t.exe | -q | C:\\T"},
        {"\"C:\\T\\unclosed.exe", "open C:\\T\\unclosed.exe |  | C:\\T"},
        {"\"notes.txt\"", "open notes.txt |  | <none>"},
        // A quote inside the path is the user's own.
        {"C:\\a\"b\\t.exe", "open C:\\a\"b\\t.exe |  | C:\\a\"b"},
    };
    for (const Case& c : cases) {
        Reminder r = at(8, 0, "");
        r.run = c.run;
        RecordingActions actions;
        fireReminder(r, true, actions);
        std::vector<std::string> expected{"beep"};
        if (!c.expected.empty()) expected.push_back(c.expected);
        EXPECT_EQ(actions.events, expected) << c.run.size();
    }
}

}  // namespace
}  // namespace tikkano
