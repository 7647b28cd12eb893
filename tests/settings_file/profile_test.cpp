#include "settings_file/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "support/memory_profile.h"
#include "support/profile_pieces.h"

namespace tikkano {
namespace {

TEST(Profile, DecimalsReadLikeTheSettingsFileWritesThem) {
    EXPECT_EQ(parseDecimal(""), 0);
    EXPECT_EQ(parseDecimal("  17"), 17);
    EXPECT_EQ(parseDecimal("-13"), -13);
    EXPECT_EQ(parseDecimal("+5x"), 5);
    EXPECT_EQ(parseDecimal("x5"), 0);
    EXPECT_EQ(parseDecimal("- 5"), 0);
    EXPECT_EQ(parseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(parseDecimal("99999999999999999999999"), 2147483647);
    EXPECT_EQ(parseDecimal("-99999999999999999999999"), -2147483647 - 1);
}

TEST(Profile, BoundedReadsKeepOneLessThanTheBuffer) {
    test::MemoryProfile file;
    file.write("S", "K", "abcdef");
    EXPECT_EQ(readBounded(file, "S", "K", "", 4), "abc");
    EXPECT_EQ(readBounded(file, "S", "K", "", 7), "abcdef");
    EXPECT_EQ(readBounded(file, "S", "missing", "fallback", 5), "fall");
}

// The lines of a section as the profile function gives them, one per entry.
std::string sectionLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + '\0';
    return text;
}

TEST(Profile, SectionReadsFindKeysAsKeyByKeyReadsDo) {
    const ProfileSection section(sectionLines({
        "  Padded  =   blanks round it \t",
        "Quoted=\" kept inside \"",
        "Single='x'",
        "Mixed=\"x'",
        "OneQuote=\"",
        "Twice=first",
        "twice=second",               // keys are found whatever their case
        "; Comment=not a key",
        ";Commented=no",
        "Bare",                       // no "=": a key without a value
        "Bare=hidden by the line above",
        "Empty=",
        "Equals=a=b",
    }));
    ASSERT_TRUE(section.whole());
    EXPECT_EQ(section.find("Padded"), "blanks round it");
    EXPECT_EQ(section.find("Quoted"), " kept inside ");
    EXPECT_EQ(section.find("Single"), "x");
    EXPECT_EQ(section.find("Mixed"), "\"x'");
    EXPECT_EQ(section.find("OneQuote"), "\"");
    EXPECT_EQ(section.find("TWICE"), "first");
    EXPECT_EQ(section.find("; Comment"), std::nullopt);
    EXPECT_EQ(section.find(";Commented"), std::nullopt);
    EXPECT_EQ(section.find("Bare"), std::nullopt);
    EXPECT_EQ(section.find("Empty"), "");
    EXPECT_EQ(section.find("Equals"), "a=b");
    EXPECT_EQ(section.find("Missing"), std::nullopt);
    EXPECT_EQ(ProfileSection().find("Any"), std::nullopt);
}

// The whole file's text split as the profile functions split it (the Wine
// tests compare it with the functions themselves).
TEST(Profile, FileTextSplitsIntoSectionsAsTheProfileFunctionsDo) {
    const auto text = std::make_shared<const std::string>(
        "Lead=before any section\r\n"
        " [ main ] \r\n"
        "A=1\rB=2\n\n  C = 3 \r\n"
        "x[Other]\r\n"
        "[Ma]in]\r\n"
        "D=4\r\n"
        "[MAIN]\r\n"
        "A=in the later section of the name\r\n"
        "[Last]\r\n"
        "E=5");
    const ProfileSection main = ProfileSection::inText(text, "Main");
    EXPECT_EQ(main.find("A"), "1");
    EXPECT_EQ(main.find("B"), "2");
    EXPECT_EQ(main.find("c"), "3");
    EXPECT_EQ(main.find("x[Other]"), std::nullopt);  // a key without a value, not a header
    EXPECT_EQ(main.find("D"), std::nullopt);
    EXPECT_EQ(main.find("Lead"), std::nullopt);
    EXPECT_EQ(ProfileSection::inText(text, "Ma]in").find("D"), "4");
    EXPECT_EQ(ProfileSection::inText(text, "Last").find("E"), "5");
    EXPECT_EQ(ProfileSection::inText(text, "Absent").find("A"), std::nullopt);

    EXPECT_TRUE(plainProfileText(*text));
    EXPECT_FALSE(plainProfileText("\xEF\xBB\xBF[Main]"));
    EXPECT_FALSE(plainProfileText("\xFF\xFE[\0M\0"));
    EXPECT_FALSE(plainProfileText(std::string("[Main]\r\nA=1\0\r\n", 12)));
}

TEST(Profile, OneReadPerSectionAndKeyByKeyWhenASectionIsTooLong) {
    test::MemoryProfile file;
    file.write("S", "A", "alpha");
    file.write("S", "B", "");
    file.write("T", "C", std::string(kLongestValue + 5, 'c'));
    // The file's text split by the program, then the profile functions' sections.
    for (const bool text : {true, false}) {
        file.offersText = text;
        file.sectionReads = file.textReads = 0;
        const SectionReads reads(file);
        EXPECT_EQ(reads.value("S", "A", "d").text, "alpha");
        EXPECT_EQ(reads.value("S", "Z", "d").text, "d");
        EXPECT_TRUE(reads.empty("S", "B"));
        EXPECT_TRUE(reads.empty("S", "Z"));
        EXPECT_FALSE(reads.empty("S", "A"));
        EXPECT_EQ(reads.held("S", "B"), "");
        EXPECT_EQ(reads.held("S", "Z"), std::nullopt);
        EXPECT_EQ(reads.bounded("S", "A", "", 4), "alp");
        // A value past the bound comes cut and marked so, as a key read gives it.
        const ProfileValue c = reads.value("T", "C", "");
        EXPECT_FALSE(c.whole);
        EXPECT_EQ(c.text.size(), kLongestValue);
        EXPECT_EQ(file.textReads, text ? 1 : 0);
        EXPECT_EQ(file.sectionReads, text ? 0 : 2);
        EXPECT_EQ(file.valueReads, 0);
    }

    // Too long for one read: every key on its own, and nothing said of what it holds.
    file.longestSection = 8;
    file.sectionReads = 0;
    const SectionReads reads(file);
    EXPECT_EQ(reads.value("S", "A", "d").text, "alpha");
    EXPECT_FALSE(reads.empty("S", "A"));
    EXPECT_EQ(reads.bounded("S", "A", "", 3), "al");
    EXPECT_EQ(reads.held("S", "A"), std::nullopt);
    EXPECT_EQ(file.sectionReads, 1);
    EXPECT_EQ(file.valueReads, 3);
}


// A text handed out a few bytes at a time, as a file is read in turn.
class TextStream : public ProfileStream {
public:
    TextStream(std::string text, std::size_t step) : text_(std::move(text)), step_(step) {}
    bool read(char* buffer, std::size_t size, std::size_t& got) override {
        got = std::min({size, step_, text_.size() - at_});
        text_.copy(buffer, got, at_);
        at_ += got;
        return true;
    }

private:
    std::string text_;
    std::size_t step_, at_ = 0;
};

// A file streamed in pieces of any size gives every key as the split of its
// whole text does, also when a section is too long to keep and every key is
// streamed on its own; values past the bound come cut, quotes and blanks
// taken off as for a whole value.
TEST(Profile, StreamedReadsFindWhatTheWholeTextSplitFinds) {
    test::ProfilePieces pieces(777);
    int found = 0;
    for (int round = 0; round < 300; ++round) {
        const auto text = std::make_shared<const std::string>(pieces.text());
        const std::size_t step = 1 + static_cast<std::size_t>(round % 9) * (round % 2 ? 1 : 7);
        for (const char* section : test::ProfilePieces::kSections) {
            const ProfileSection whole = ProfileSection::inText(text, section);
            TextStream sectionStream(*text, step);
            const std::optional<ProfileSection> streamed = streamSection(sectionStream, section, kLongestSection);
            ASSERT_TRUE(streamed && streamed->whole());
            for (const char* key : test::ProfilePieces::kKeys) {
                const std::optional<std::string_view> expected = whole.find(key);
                found += expected.has_value();
                ASSERT_EQ(streamed->find(key), expected) << "[" << section << "] " << key << " in:\n" << *text;
                TextStream keyStream(*text, step);
                const std::optional<StreamedValue> alone = streamValue(keyStream, section, key);
                ASSERT_TRUE(alone);
                ASSERT_EQ(alone->found, expected.has_value()) << "[" << section << "] " << key << " in:\n" << *text;
                if (expected) {
                    ASSERT_EQ(alone->value.text, *expected) << "[" << section << "] " << key;
                }
            }
        }
    }
    EXPECT_GT(found, 50);  // the pieces make real values, not only missing keys

    const std::string big(kLongestValue + 10, 'b');
    const std::string text = "[S]\r\nA=1\r\nQ= '" + big + "'  \t\r\nR=\"" + big + "\r\nE=exact\r\n[T]\r\nA=2";
    TextStream tooLong(text, 4096);
    EXPECT_FALSE(streamSection(tooLong, "S", 1000)->whole());
    TextStream shortSection(text, 4096);
    EXPECT_EQ(streamSection(shortSection, "T", 1000)->find("A"), "2");
    for (const auto& [key, length] : {std::pair{"Q", kLongestValue}, std::pair{"R", kLongestValue}}) {
        TextStream stream(text, 4096);
        const std::optional<StreamedValue> value = streamValue(stream, "S", key);
        ASSERT_TRUE(value && value->found);
        EXPECT_FALSE(value->value.whole) << key;
        EXPECT_EQ(value->value.text.size(), length) << key;
        EXPECT_EQ(value->value.text.substr(0, 2), key == std::string("Q") ? "bb" : "\"b") << key;
    }
    // Marks and zero bytes are left to the profile functions.
    for (const std::string& bad : {std::string("\xEF\xBB\xBF[S]\r\nA=1"), std::string("[S]\r\nA=1\0", 9)}) {
        TextStream a(bad, 1), b(bad, 1);
        EXPECT_FALSE(streamSection(a, "S", 100));
        EXPECT_FALSE(streamValue(b, "S", "A"));
    }
}

}  // namespace
}  // namespace tikkano
