// The settings file through the real profile functions: a section read finds
// every key as a read of that key alone does, and a write that cannot reach the
// file says so.
#include "settings_file/profile_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/profile_pieces.h"

namespace tikkano {
namespace {

std::string tempFolder() {
    char path[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof path, path);
    std::string folder(path, length);
    folder += "tikkano_profile_file_test";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

TEST(ProfileFile, SectionReadsAgreeWithKeyReads) {
    const std::string path = tempFolder() + "\\sections.ini";
    const std::string longValue(5000, 'v');
    const std::string text =
        "; a comment before any section\r\n"
        "[Main]\r\n"
        "  Padded  =   blanks round it \t\r\n"
        "Quoted=\" kept inside \"\r\n"
        "Single='x'\r\n"
        "Mixed=\"x'\r\n"
        "OneQuote=\"\r\n"
        "Twice=first\r\n"
        "TWICE=second\r\n"
        ";Commented=no\r\n"
        "Bare\r\n"
        "Bare=hidden\r\n"
        "Empty=\r\n"
        "Equals = a=b\r\n"
        "Spaced=\xA0v\xA0\r"
        "Long=" + longValue + "\r\n"
        "[Other]\r\n"
        "Main=not here\r\n"
        "[main]\r\n"
        "Second=in the section given twice\r\n"
        "Padded=again\r\n";
    // Plain text is split by the program; after a byte-order mark the profile
    // functions read the section themselves.
    for (const std::string start : {"", "\xEF\xBB\xBF"}) {
        writeBytes(path, start + text);
        const ProfileFile file(path);
        const SectionReads reads(file);
        for (const char* key : {"Padded", "Quoted", "Single", "Mixed", "OneQuote", "Twice", "twice", ";Commented",
                                "Bare", "Empty", "Equals", "Spaced", "Long", "Second", "Missing"}) {
            const ProfileValue alone = file.readValue("Main", key, "<none>");
            const ProfileValue fromSection = reads.value("Main", key, "<none>");
            EXPECT_EQ(fromSection.text, alone.text) << key;
            EXPECT_EQ(fromSection.whole, alone.whole) << key;
        }
        EXPECT_EQ(reads.value("Main", "Long", "").text, longValue);
        EXPECT_EQ(reads.value("Main", "Padded", "").text, "blanks round it");
        EXPECT_EQ(reads.value("Missing section", "Any", "d").text, "d");
    }
    DeleteFileA(path.c_str());
}

// The value of a key as the profile functions themselves read it.
std::string functionsRead(const std::string& path, const char* section, const char* key) {
    std::string value(1 << 16, '\0');
    const DWORD got = GetPrivateProfileStringA(section, key, "<none>", &value[0], static_cast<DWORD>(value.size()),
                                               path.c_str());
    value.resize(got);
    return value;
}

// Files made of pieces the profile functions are particular about: every key
// read from the program's own split of the whole text, from a streamed read of
// its sections, and key by key from a streamed section too long to keep, gives
// what the profile functions give.
TEST(ProfileFile, SectionReadsAgreeWithKeyReadsOnAnyText) {
    const std::string path = tempFolder() + "\\pieces.ini";
    test::ProfilePieces pieces(12345);
    // Over the longest section the program keeps: the streamed section is too
    // long and every key is streamed on its own.
    const std::string filler = "[Main]\r\n" + std::string(kLongestSection, ';') + "\r\n";
    int found = 0;
    for (int round = 0; round < 400; ++round) {
        const std::string text = round % 100 == 99 ? filler + pieces.text() : pieces.text();
        writeBytes(path, text);
        const ProfileFile whole(path), streamed(path, 0);
        const SectionReads wholeReads(whole), streamedReads(streamed);
        for (const char* section : test::ProfilePieces::kSections)
            for (const char* key : test::ProfilePieces::kKeys) {
                const std::string expected = functionsRead(path, section, key);
                found += expected != "<none>";
                ASSERT_EQ(wholeReads.value(section, key, "<none>").text, expected)
                    << "[" << section << "] " << key << " in:\n" << text;
                ASSERT_EQ(streamedReads.value(section, key, "<none>").text, expected)
                    << "streamed [" << section << "] " << key << " in:\n" << text;
            }
    }
    EXPECT_GT(found, 40);  // the pieces make real values, not only missing keys
    DeleteFileA(path.c_str());
}

TEST(ProfileFile, WritesThatCannotReachTheFileFail) {
    const std::string folder = tempFolder();
    const std::string path = folder + "\\held.ini";
    writeBytes(path, "[S]\r\nK=1\r\n");
    ProfileFile file(path);
    EXPECT_TRUE(file.write("S", "K", "2"));

    // Another program holds the file open without sharing it.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.write("S", "K", "3"));
    EXPECT_FALSE(file.readable());
    CloseHandle(held);
    EXPECT_TRUE(file.readable());
    EXPECT_EQ(file.read("S", "K", ""), "2");
    EXPECT_TRUE(file.write("S", "K", "4"));
    DeleteFileA(path.c_str());

    // A folder stands where the file should be.
    const std::string blocked = folder + "\\blocked.ini";
    EXPECT_TRUE(ProfileFile(blocked).readable());  // missing: it reads as the defaults
    CreateDirectoryA(blocked.c_str(), nullptr);
    EXPECT_FALSE(ProfileFile(blocked).write("S", "K", "1"));
    EXPECT_FALSE(ProfileFile(blocked).readable());
    RemoveDirectoryA(blocked.c_str());
}

}  // namespace
}  // namespace tikkano
