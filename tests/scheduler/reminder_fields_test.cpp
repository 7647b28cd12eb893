#include "scheduler/reminder_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace tikkano {
namespace {

ReminderFields typed(std::string hour, std::string minute, std::string text, std::string sound = "",
                     std::string program = "", std::string parameters = "") {
    return {std::move(hour), std::move(minute), std::move(text), std::move(sound), std::move(program),
            std::move(parameters)};
}

// What the user typed, stored through the dialog and the settings file's
// group text, and shown again.
ReminderFields throughTheFile(const ReminderFields& fields) {
    const ReminderList stored = parseGroup(serializeGroup({reminderFromFields(fields)}));
    EXPECT_EQ(stored.size(), 1u);
    return fieldsFromReminder(stored.at(0));
}

void expectSameFields(const ReminderFields& a, const ReminderFields& b) {
    EXPECT_EQ(a.hour, b.hour);
    EXPECT_EQ(a.minute, b.minute);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.sound, b.sound);
    EXPECT_EQ(a.program, b.program);
    EXPECT_EQ(a.parameters, b.parameters);
}

TEST(ReminderFields, TypedFieldsComeBackUnchangedThroughTheFile) {
    const ReminderFields twoLines = typed("9", "5", "Meeting, room 2;\r\nbring notes", "C:\\Snd,1;\\bell.wav",
                                          "C:\\Tools;x\\notes.exe", "agenda,1.txt;2");
    expectSameFields(throughTheFile(twoLines), twoLines);
    const ReminderFields nothing = typed("0", "0", "");
    expectSameFields(throughTheFile(nothing), nothing);
}

TEST(ReminderFields, StoredRecordHoldsEscapedTextAndJoinedRunField) {
    const Reminder r = reminderFromFields(typed(" 07", "30", "a,b;c\r\nd", "s.wav", "C:\\Tools\\notes.exe", "agenda.txt"));
    EXPECT_EQ(r.hour, 7);
    EXPECT_EQ(r.minute, 30);
    EXPECT_EQ(r.text, "a\x82" "b\x84" "c\x86\x85" "d");
    EXPECT_EQ(r.run, "C:\\Tools\\notes.exe\x83" "agenda.txt");
    EXPECT_EQ(r.sound, "s.wav");
    // Empty program and parameters still store the separator.
    EXPECT_EQ(reminderFromFields(typed("", "", "")).run, "\x83");
}

TEST(ReminderFields, RunFieldSplitsAtTheFirstSeparator) {
    Reminder r;
    r.run = "C:\\Tools\\notes.exe\x83" "a\x83" "b";
    ReminderFields f = fieldsFromReminder(r);
    EXPECT_EQ(f.program, "C:\\Tools\\notes.exe");
    EXPECT_EQ(f.parameters, "a\x83" "b");
    // A hand-made field without a separator is all program; storing adds one.
    r.run = "notepad.exe";
    f = fieldsFromReminder(r);
    EXPECT_EQ(f.program, "notepad.exe");
    EXPECT_EQ(f.parameters, "");
    EXPECT_EQ(reminderFromFields(f).run, "notepad.exe\x83");
}

TEST(ReminderFields, StoredLineBreaksShowAsEditLineBreaks) {
    Reminder r;
    r.hour = -1;  // a time the file did not hold is shown for the user to mend
    r.minute = 5;
    r.text = "one|two\\three\x86\x85" "four\x85" "five";
    const ReminderFields f = fieldsFromReminder(r);
    EXPECT_EQ(f.text, "one\r\ntwo\r\nthree\r\nfour\r\nfive");
    EXPECT_EQ(f.hour, "-1");
    EXPECT_EQ(f.minute, "5");
    EXPECT_EQ(checkFields(f).fault, FieldFault::kNotAnHour);
}

TEST(ReminderFields, ImpossibleTimesAreRefusedAndEmptyMeansZero) {
    int value = -7;
    EXPECT_TRUE(readTimeNumber("", 23, value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(readTimeNumber("  ", 59, value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(readTimeNumber("23", 23, value));
    EXPECT_EQ(value, 23);
    EXPECT_TRUE(readTimeNumber("09", 59, value));
    EXPECT_EQ(value, 9);
    for (const char* bad : {"abc", "24", "25", "-1", "+1", "123", "007", "1a", "1 2", "0x"}) {
        EXPECT_FALSE(readTimeNumber(bad, 23, value)) << bad;
        EXPECT_EQ(checkFields(typed(bad, "0", "")).fault, FieldFault::kNotAnHour) << bad;
    }
    for (const char* bad : {"60", "99", "-1", "abc", "123"})
        EXPECT_EQ(checkFields(typed("0", bad, "")).fault, FieldFault::kNotAMinute) << bad;
    EXPECT_FALSE(checkFields(typed("23", "59", "")));
}

TEST(ReminderFields, CharactersTheFileWouldChangeAreRefusedInTheirField) {
    const FieldCheck bar = checkFields(typed("1", "2", "a|b"));
    EXPECT_EQ(bar.fault, FieldFault::kLineBreakCode);
    EXPECT_EQ(bar.field, EditField::kText);
    EXPECT_EQ(bar.character, '|');
    EXPECT_EQ(checkFields(typed("1", "2", "C:\\x")).character, '\\');
    // The escape bytes (in code page 1251: the ellipsis, the dagger and the low quotes).
    for (char escape : {'\x82', '\x84', '\x85', '\x86'}) {
        const FieldCheck c = checkFields(typed("1", "2", std::string("a") + escape));
        EXPECT_EQ(c.fault, FieldFault::kReservedByte);
        EXPECT_EQ(c.character, escape);
    }
    EXPECT_EQ(checkFields(typed("1", "2", "", "a\x84.wav")).field, EditField::kSound);
    EXPECT_EQ(checkFields(typed("1", "2", "", "", "a\x83.exe")).field, EditField::kProgram);
    EXPECT_EQ(checkFields(typed("1", "2", "", "", "", "x\x82")).field, EditField::kParameters);
    // The separator is harmless in the parameters: the split takes the first one.
    EXPECT_FALSE(checkFields(typed("1", "2", "", "", "", "a\x83" "b")));
    // Paths keep their backslashes and bars as typed.
    EXPECT_FALSE(checkFields(typed("1", "2", "", "C:\\a|b.wav", "C:\\x.exe", "\\q")));
}

TEST(ReminderFields, LimitsAreTheLongestStoredFields) {
    EXPECT_FALSE(checkFields(typed("1", "2", std::string(kTextFieldLimit, 'x'), std::string(kSoundFieldLimit, 's'),
                                   std::string(kProgramFieldLimit, 'p'), std::string(kParametersFieldLimit, 'q'))));
    const FieldCheck text = checkFields(typed("1", "2", std::string(kTextFieldLimit + 1, 'x')));
    EXPECT_EQ(text.fault, FieldFault::kTooLong);
    EXPECT_EQ(text.field, EditField::kText);
    EXPECT_EQ(text.limit, kTextFieldLimit);
    EXPECT_EQ(checkFields(typed("1", "2", "", std::string(kSoundFieldLimit + 1, 's'))).field, EditField::kSound);
    EXPECT_EQ(checkFields(typed("1", "2", "", "", std::string(kProgramFieldLimit + 1, 'p'))).field,
              EditField::kProgram);
    EXPECT_EQ(checkFields(typed("1", "2", "", "", "", std::string(kParametersFieldLimit + 1, 'q'))).field,
              EditField::kParameters);
    // The longest program with the longest parameters fills the run field exactly.
    EXPECT_EQ(reminderFromFields(typed("1", "2", "", "", std::string(kProgramFieldLimit, 'p'),
                                       std::string(kParametersFieldLimit, 'q')))
                  .run.size(),
              kRunFieldLimit);
}

TEST(ReminderFields, ChooserGetsOnlyUsableNames) {
    ChooserStart s = chooserStart(L"C:\\Sounds\\bell.wav", 2048);
    EXPECT_EQ(s.fileName, L"C:\\Sounds\\bell.wav");
    EXPECT_EQ(s.folder, L"");
    s = chooserStart(L"C:\\Sounds\\a|b<c.wav", 2048);
    EXPECT_EQ(s.fileName, L"");
    EXPECT_EQ(s.folder, L"C:\\Sounds");
    s = chooserStart(L"C:*.wav", 2048);
    EXPECT_EQ(s.fileName, L"");
    EXPECT_EQ(s.folder, L"");
    EXPECT_EQ(chooserStart(L"C:\\\"x\".wav", 2048).folder, L"C:\\");
    EXPECT_EQ(chooserStart(L"\"C:\\a b\\x.exe\"", 2048).folder, L"");
    // A name the buffer cannot hold with its terminating zero is not handed over.
    s = chooserStart(L"C:\\d\\" + std::wstring(2043, L'n'), 2048);
    EXPECT_EQ(s.fileName, L"");
    EXPECT_EQ(s.folder, L"C:\\d");
    EXPECT_EQ(chooserStart(L"", 2048).fileName, L"");
}

}  // namespace
}  // namespace tikkano
