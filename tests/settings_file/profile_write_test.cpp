#include "settings_file/profile_write.h"

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
    EXPECT_TRUE(writeKept(kFile, "[Status]\r\nStatus=5\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=Arial\r\n",
                          "status", "STATUS", "5"));
    EXPECT_TRUE(writeKept(kFile, "[Status]\nStatus=3\nLanguage=Eng\nX=1\n[Alarm]\nDay=9:30,Tea;\n[Font]\nName=Arial\n",
                          "Status", "X", "1"));
    EXPECT_TRUE(writeKept(kFile, kFile + "[Colors]\r\nColors=000000\r\n", "Colors", "Colors", "000000"));
    EXPECT_TRUE(writeKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=\" x \"\r\n",
                          "Font", "Name", "\" x \""));

    // A full disk cuts the file: a section gone, a value cut, the written value cut.
    const std::string grown = "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Tea;\r\nM07=8:00,Run;\r\n";
    EXPECT_FALSE(writeKept(kFile, grown, "Alarm", "M07", "8:00,Run;"));
    EXPECT_FALSE(writeKept(kFile, kFile.substr(0, kFile.size() - 4), "Status", "Status", "3"));
    EXPECT_FALSE(writeKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Alarm]\r\nDay=9:30,Te", "Alarm", "Day",
                           "9:30,Tea;"));
    // Any other change: another value, a key or a section missing, in another order.
    EXPECT_FALSE(writeKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Rus\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=Arial\r\n",
                           "Status", "Status", "3"));
    EXPECT_FALSE(writeKept(kFile, "[Status]\r\nStatus=3\r\n[Alarm]\r\nDay=9:30,Tea;\r\n[Font]\r\nName=Arial\r\n", "Status",
                           "Status", "3"));
    EXPECT_FALSE(writeKept(kFile, "[Status]\r\nStatus=3\r\nLanguage=Eng\r\n[Font]\r\nName=Arial\r\n[Alarm]\r\nDay=9:30,Tea;\r\n",
                           "Status", "Status", "3"));
}

TEST(WriteCheck, RoomIsCountedInWholeClusters) {
    // The rewrite ends every line with "\r\n": lone ends and an unended last line grow it.
    EXPECT_EQ(longestAfterWrite(std::string("[S]\r\nA=1\r\n"), 0, "S", "A", "2"), 10u + 1 + 4 + 1 + 1 + 3);
    EXPECT_EQ(longestAfterWrite(std::string("[S]\nA=1\rB"), 0, "S", "A", ""), 9u + 1 + 1 + 2 + 5 + 1 + 3);
    EXPECT_EQ(longestAfterWrite(std::nullopt, 100, "S", "A", "2"), 102u + 10);

    EXPECT_TRUE(roomToGrow(4000, 4096, {0, 4096}));   // still within the file's last cluster
    EXPECT_FALSE(roomToGrow(4000, 4097, {0, 4096}));  // one more cluster, none free
    EXPECT_FALSE(roomToGrow(4000, 4200, {100, 4096}));
    EXPECT_TRUE(roomToGrow(4000, 8192, {4096, 4096}));
    EXPECT_TRUE(roomToGrow(9000, 100, {0, 4096}));    // shrinking always fits
    EXPECT_TRUE(roomToGrow(10, 20, {10, 0}));          // a cluster size never told counts as one byte
}

TEST(WriteCheck, AFullDiskOrAFailedWriteLeavesTheFileAsItWas) {
    MemoryProfile file;
    file.write("Status", "Language", "Eng");
    file.write("Alarm", "Day", "9:30,Tea;");
    file.write("Font", "Name", "Arial");
    const std::string before = file.render();

    // A disk with no free cluster: a write that may grow the file is refused
    // before it is made, one that stays within its clusters is made.
    file.diskCapacity = (before.size() + 511) / 512 * 512;
    file.writes = 0;
    EXPECT_FALSE(file.write("Alarm", "M07", std::string(600, 'x')));
    EXPECT_EQ(file.writes, 0);
    EXPECT_EQ(*file.fileBytes(), before);
    file.cluster = 4096;
    file.diskCapacity = 4096;
    EXPECT_TRUE(file.write("Status", "Language", "Rus"));
    EXPECT_EQ(file.writes, 1);
    EXPECT_TRUE(file.write("Status", "Language", "Eng"));

    // The room cannot be told: the write is made, cuts the file and reports
    // success; the check finds the cut and puts the bytes back.
    struct Untold : MemoryProfile {
        std::optional<DiskRoom> diskRoom() const override { return std::nullopt; }
    } untold;
    untold.sections = file.sections;
    untold.diskCapacity = 4096;
    untold.cluster = 4096;
    EXPECT_FALSE(untold.write("Alarm", "M07", std::string(5000, 'x')));
    EXPECT_EQ(untold.writes, 1);
    EXPECT_EQ(untold.putBacks, 1);
    EXPECT_EQ(*untold.fileBytes(), before);

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
