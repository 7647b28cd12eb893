#include "settings_file/write_check.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_profile.h"

namespace tikkano {
namespace {

using test::MemoryProfile;

const std::string kFile = "[Status]\r\nStatus=3\r\nLanguage = Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=Arial\r\n";

TEST(WriteCheck, OnlyTheWrittenKeyMayReadOtherwise) {
    // Replaced, added at the end of its section, added in a new last section;
    // the rewrite's own changes (blanks after "=", line ends) read the same.
    EXPECT_TRUE(writesKept(kFile, "[Status]\r\nStatus=5\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=Arial\r\n", {{"status", "STATUS", "5"}}));
    EXPECT_TRUE(writesKept(kFile, "[Status]\nStatus=3\nLanguage=Eng\nX=1\n[Alarm]\nDay=9:30,Tea;\n[Font]\nName=Arial\n", {{"Status", "X", "1"}}));
    EXPECT_TRUE(writesKept(kFile, kFile + "[Colors]\r\nColors=000000\r\n", {{"Colors", "Colors", "000000"}}));
    EXPECT_TRUE(writesKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=\" x \"\r\n", {{"Font", "Name", "\" x \""}}));

    // A full disk cuts the file: a section gone, a value cut, the written value cut.
    const std::string grown = "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\nM07=8:00,Run;\r\n";
    EXPECT_FALSE(writesKept(kFile, grown, {{"Alarm", "M07", "8:00,Run;"}}));
    EXPECT_FALSE(writesKept(kFile, kFile.substr(0, kFile.size() - 4), {{"Status", "Status", "3"}}));
    EXPECT_FALSE(writesKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Te", {{"Alarm", "Day", "9:30,Tea;"}}));
    // Any other change: another value, a key or a section missing, in another order.
    EXPECT_FALSE(writesKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Rus\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=Arial\r\n", {{"Status", "Status", "3"}}));
    EXPECT_FALSE(writesKept(kFile, "[Status]\r\nStatus=3\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=Arial\r\n", {{"Status", "Status", "3"}}));
    EXPECT_FALSE(writesKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Font]\r\nName=Arial\r\n[Alarm]\r\nDay=9:30,Tea;\r\n", {{"Status", "Status", "3"}}));
    // in a section the save does not write: a value, a key without its value, a line more.
    EXPECT_FALSE(writesKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=Arials\r\n", {{"Status", "Status", "3"}}));
    EXPECT_FALSE(writesKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay\r\n[Font]\r\nName=Arial\r\n", {{"Status", "Status", "3"}}));
    EXPECT_FALSE(writesKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\nM01=x\r\n[Font]\r\nName=Arial\r\n", {{"Status", "Status", "3"}}));
}

TEST(WriteCheck, TheKeysOfOneSaveAreCheckedTogether) {
    const std::vector<KeyWrite> save = {
        {"Status", "Status", "5"}, {"Colors", "Colors", "000000"}, {"status", "X", "1"}, {"Status", "Status", "6"}};
    const std::string saved = "[Status]\r\nStatus=6\r\nLanguage=Eng\r\nX=1\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\n"
                              "Name=Arial\r\n[Colors]\r\nColors=000000\r\n";
    EXPECT_TRUE(writesKept(kFile, saved, save));
    // The earlier value of a key written twice, a key of the save missing, a new section cut.
    EXPECT_FALSE(writesKept(kFile, std::string(saved).replace(saved.find("=6"), 2, "=5"), save));
    EXPECT_FALSE(writesKept(kFile, std::string(saved).erase(saved.find("X=1"), 5), save));
    EXPECT_FALSE(writesKept(kFile, saved.substr(0, saved.size() - 8), save));
}

TEST(WriteCheck, AValueReadsAsWrittenAsTheSplitReadsItsLine) {
    for (const std::string& key : std::vector<std::string>{"K", " K\t", "", ";c", "a=b", std::string("K\0L", 3)})
        for (const std::string& value : std::vector<std::string>{"", " x ", "\"q\"", " 'q' ", "\"q'", "\"", "a=b", std::string("a\0b", 3)}) {
            const ProfileSection line(key + "=" + value + '\0');
            EXPECT_EQ(readAsWritten(key, value), std::string(line.find(key).value_or(""))) << key << "=" << value;
        }
}

TEST(WriteCheck, RoomIsCountedInWholeClusters) {
    // The rewrite ends every line with "\r\n": lone ends and an unended last line grow it.
    EXPECT_EQ(longestAfterWrites(std::string("[S]\r\nA=1\r\n"), 0, {{"S", "A", "2"}}), 10u + 1 + 4 + 1 + 1 + 3);
    EXPECT_EQ(longestAfterWrites(std::string("[S]\nA=1\rB"), 0, {{"S", "A", ""}}), 9u + 1 + 1 + 2 + 5 + 1 + 3);
    EXPECT_EQ(longestAfterWrites(std::nullopt, 100, {{"S", "A", "2"}, {"T", "BB", ""}}), 102u + 10 + 10);

    EXPECT_TRUE(roomToGrow(4000, 4096, {0, 4096}));   // still within the file's last cluster
    EXPECT_FALSE(roomToGrow(4000, 4097, {0, 4096}));  // one more cluster, none free
    EXPECT_FALSE(roomToGrow(4000, 4200, {100, 4096}));
    EXPECT_TRUE(roomToGrow(4000, 8192, {4096, 4096}));
    EXPECT_TRUE(roomToGrow(9000, 100, {0, 4096}));    // shrinking always fits
    EXPECT_TRUE(roomToGrow(10, 20, {10, 0}));          // a cluster size never told counts as one byte
    // A copy takes clusters of its own beside the file's.
    EXPECT_TRUE(roomForCopy(4096, {4096, 4096}));
    EXPECT_FALSE(roomForCopy(4097, {4096, 4096}));
}

MemoryProfile threeKeys() {
    MemoryProfile file;
    file.writeAll({{"Status", "Language", "Eng"}, {"Alarm", "Day", "9:30,Tea;"}, {"Font", "Name", "Arial"}});
    return file;
}

TEST(Save, AllKeysOfASaveGoInOneReplaceOrNoneDo) {
    MemoryProfile file = threeKeys();
    EXPECT_EQ(file.replaces, 1);
    const std::string before = file.render();
    EXPECT_TRUE(file.writeAll({{"Status", "Language", "Rus"}, {"Colors", "Colors", "000000"}}));
    EXPECT_EQ(file.replaces, 2);
    EXPECT_EQ(file.read("Colors", "Colors", ""), "000000");

    // Each way a save can go wrong leaves the file as it was and no copy behind.
    file.writeAll({{"Status", "Language", "Eng"}, {"Colors", "Colors", ""}});
    file.sections.back().entries.clear();
    file.sections.pop_back();
    ASSERT_EQ(file.render(), before);
    auto failsKeepingTheFile = [&](const char* how) {
        EXPECT_FALSE(file.writeAll({{"Status", "Language", "Rus"}, {"Alarm", "M07", std::string(600, 'x')}})) << how;
        EXPECT_EQ(file.render(), before) << how;
        EXPECT_FALSE(file.copy) << how;
    };
    file.failReplaces = true;
    failsKeepingTheFile("the replace fails");
    file.failReplaces = false;
    file.dropWrites = true;
    failsKeepingTheFile("success reported for values never stored");
    file.dropWrites = false;
    file.failWrites = true;
    failsKeepingTheFile("a write of the copy fails");
    file.failWrites = false;
    // A disk without room for the copy: refused before anything is written.
    file.diskCapacity = file.inClusters(before) + 512;
    file.writes = 0;
    failsKeepingTheFile("no room for the copy");
    EXPECT_EQ(file.writes, 0);

    // The room cannot be told: the copy is cut as it is written, and the check finds it.
    struct Untold : MemoryProfile {
        std::optional<DiskRoom> room() const override { return std::nullopt; }
    } untold;
    untold.sections = file.sections;
    untold.diskCapacity = 8192;
    untold.cluster = 4096;
    EXPECT_FALSE(untold.writeAll({{"Alarm", "M07", std::string(5000, 'x')}}));
    EXPECT_EQ(untold.writes, 1);
    EXPECT_EQ(untold.render(), before);
    EXPECT_FALSE(untold.copy);
}

TEST(Save, AFolderThatTakesNoNewFileIsWrittenInPlaceKeyByKeyChecked) {
    MemoryProfile file = threeKeys();
    const std::string before = file.render();
    file.refuseCopies = true;
    EXPECT_TRUE(file.writeAll({{"Status", "Language", "Rus"}, {"Font", "Name", "Tahoma"}}));
    EXPECT_EQ(file.read("Font", "Name", ""), "Tahoma");
    EXPECT_EQ(file.replaces, 1);
    file.writeAll({{"Status", "Language", "Eng"}, {"Font", "Name", "Arial"}});
    ASSERT_EQ(file.render(), before);

    // A disk with no free cluster: a write that may grow the file is refused
    // before it is made, one that stays within its clusters is made.
    file.diskCapacity = file.inClusters(before);
    file.writes = 0;
    EXPECT_FALSE(file.write("Alarm", "M07", std::string(600, 'x')));
    EXPECT_EQ(file.writes, 0);
    file.cluster = 4096;
    file.diskCapacity = 4096;
    EXPECT_TRUE(file.write("Status", "Language", "Rus"));
    EXPECT_TRUE(file.write("Status", "Language", "Eng"));

    // The room cannot be told: the write is made, cuts the file and reports
    // success; the check finds the cut and puts the bytes back.
    struct Untold : MemoryProfile {
        std::optional<DiskRoom> room() const override { return std::nullopt; }
    } untold;
    untold.sections = file.sections;
    untold.refuseCopies = true;
    untold.diskCapacity = 4096;
    untold.cluster = 4096;
    EXPECT_FALSE(untold.write("Alarm", "M07", std::string(5000, 'x')));
    EXPECT_EQ(untold.putBacks, 1);
    EXPECT_EQ(*untold.bytes(SaveTarget::Where::kFile), before);

    // Success reported for a value never stored; a write that fails outright.
    file.dropWrites = true;
    EXPECT_FALSE(file.write("Font", "Name", "Tahoma"));
    file.dropWrites = false;
    file.failWrites = true;
    EXPECT_FALSE(file.write("Font", "Name", "Tahoma"));
    EXPECT_EQ(file.putBacks, 0);
    EXPECT_EQ(file.render(), before);

    // A file only the profile functions read right: its value is read back.
    file.failWrites = false;
    file.write("Font", "Name", std::string("a\0b", 3));
    file.dropWrites = true;
    EXPECT_FALSE(file.write("Font", "Name", "Tahoma"));
}

}  // namespace
}  // namespace tikkano
