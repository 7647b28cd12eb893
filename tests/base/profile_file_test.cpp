// The settings file through the real profile functions: a section read finds
// every key as a read of that key alone does, and a write that cannot reach the
// file says so.
#include "base/profile_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

// Files made of pieces the profile functions are particular about (headers of
// every shape, blanks, quotes, comments, line ends, bytes above 127): every key
// read from a section read gives what a read of the key alone gives.
TEST(ProfileFile, SectionReadsAgreeWithKeyReadsOnAnyText) {
    const std::string path = tempFolder() + "\\pieces.ini";
    const char* const headers[] = {"[Main]", "[main]", " [MAIN] ", "[Main", "[Main]x", "[Ma]in]", "[ Main ]",
                                   "[Other]", "[]", "x[Main]", "[Main]]"};
    const char* const pieces[] = {"K", "k", "Key", "=", " ", "\t", "\"", "'", ";", "[", "]", "v", "\xA0", "\xE9",
                                  "\x81", "\x1A", "\v", "\xFF"};
    const char* const ends[] = {"\r\n", "\n", "\r", "\n\r", "\r\r\n"};
    const char* const keys[] = {"K", "k", "Key", "KK", "K K", "Kv"};
    unsigned seed = 12345;
    const auto next = [&seed](unsigned bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % bound;
    };
    int found = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (int line = 0, lines = 2 + next(8); line < lines; ++line) {
            const unsigned kind = next(3);
            if (kind == 0) text += headers[next(std::size(headers))];
            for (int piece = 0, count = kind == 0 ? 0 : next(4); piece < count; ++piece)
                text += pieces[next(std::size(pieces))];
            if (kind == 1) text += keys[next(std::size(keys))] + std::string("=");
            for (int piece = 0, count = kind == 0 ? 0 : next(5); piece < count; ++piece)
                text += pieces[next(std::size(pieces))];
            text += ends[next(std::size(ends))];
        }
        writeBytes(path, text);
        const ProfileFile file(path);
        const SectionReads reads(file);
        for (const char* section : {"Main", "Other", "Ma]in"})
            for (const char* key : keys) {
                found += file.readValue(section, key, "<none>").text != "<none>";
                ASSERT_EQ(reads.value(section, key, "<none>").text, file.readValue(section, key, "<none>").text)
                    << "[" << section << "] " << key << " in:\n" << text;
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
