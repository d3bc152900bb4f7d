#include "platform/private_profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

std::string Find(std::string_view content, std::string_view section, std::string_view key) {
    std::string value;
    return ProfileFindValue(content, section, key, &value) ? value : "<absent>";
}

TEST(ProfileRead, MatchesNamesWithoutCaseAndTrimsBlanks) {
    const std::string text = test::DataBytes("profile_read.ini");
    for (const auto& c : test::DataCases("profile_read.txt"))
        EXPECT_EQ(Find(text, c.at(0), c.at(1)), c.at(2)) << c[0] << "/" << c[1];
    EXPECT_EQ(ProfileSectionNames(text),
              (std::vector<std::string>{"Report Setting", "Other", "\xD6\x41", "\xD6\x61"}));
}

TEST(ProfileRead, FirstSectionAndFirstKeyWinLineEndsAreOfEveryKindOrNoneAtTheEnd) {
    const std::string first = "[A]\nk=1\nK=2\n[B]\nk=b\n[a]\nk=3\nonly=later\n";
    const std::string ends = "[A]\rx=1\ry=2\r\n[B]\nz=3";
    EXPECT_EQ(
        (std::vector{Find(first, "A", "k"), Find(first, "A", "only"), Find(ends, "A", "x"),
                     Find(ends, "A", "y"), Find(ends, "B", "z"), Find("[L]\r\nk=v", "L", "k")}),
        (std::vector<std::string>{"1", "<absent>", "1", "2", "3", "v"}));
    EXPECT_EQ(ProfileSectionNames(first), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ProfileKeyNames(first, "a"), (std::vector<std::string>{"k"}));
    EXPECT_EQ(ProfileKeyNames(ends, "A"), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(ProfileSectionNames("[Last]"), std::vector<std::string>{"Last"});
}

TEST(ProfileWrite, ChangesOnlyTheLinesItMust) {
    for (const auto& c : test::DataCases("profile_write.txt")) {
        std::string content = c.at(1);
        const std::optional<std::string_view> value =
            c.at(4) == "(delete)" ? std::nullopt : std::optional<std::string_view>(c[4]);
        EXPECT_TRUE(ProfileSetValue(content, c.at(2), c.at(3), value)) << c[0];
        EXPECT_EQ(content, c.at(5)) << c[0];
    }
}

TEST(ProfileWrite, RefusesNamesThatCannotStandInAFile) {
    for (const auto& c : test::DataCases("profile_bad_names.txt")) {
        std::string content = "[A]\r\nk=1\r\n";
        EXPECT_FALSE(ProfileSetValue(content, c.at(0), c.at(1), "v")) << c[0] << "/" << c[1];
        EXPECT_EQ(content, "[A]\r\nk=1\r\n");
    }
}

TEST(ProfileWrite, DeleteSectionRemovesEveryCopyUpToTheNextSection) {
    std::string content = "x\r\n[A]\r\nk=1\r\n;c\r\n[B]\r\nk=2\r\n[a]\r\nk=3";
    ProfileDeleteSection(content, "A");
    EXPECT_EQ(content, "x\r\n[B]\r\nk=2\r\n");
}

// One text edited in memory step by step reads and lists at every step as a fresh read of the text
// edited one step at a time: new keys go after the last non-blank line left by deletions, deleted
// and re-added keys and sections are found again.
TEST(ProfileText, EditsInMemoryMatchEditsOneAfterTheOther) {
    const std::string start = "pre\r\n[A]\r\nk=1\r\n\r\nK=2\r\n;c\r\n\r\n[B]\nx=1\n[a]\r\nk=3";
    // Section, key (none: delete the section) and value (none: delete the key).
    // clang-format off
    const std::tuple<std::string_view, std::string_view, std::optional<std::string_view>> edits[] = {
        {"A", "new", "n"}, {"A", "k", std::nullopt}, {"A", "new", std::nullopt}, {"a", "K", "again"},
        {"C", "c", "1"}, {"c", "d", "2"}, {"B", "x", "y"}, {"A", "", {}}, {"A", "z", "3"},
        {"c", "", {}}, {"C", "c", std::nullopt}, {"B", "x", std::nullopt}};
    // clang-format on
    ProfileText text(start);
    std::string stepwise = start;
    for (const auto& [section, key, value] : edits) {
        if (key.empty()) {
            text.DeleteSection(section);
            ProfileDeleteSection(stepwise, section);
        } else {
            ASSERT_TRUE(text.SetValue(section, key, value));
            ASSERT_TRUE(ProfileSetValue(stepwise, section, key, value));
        }
        const std::string step = std::string(section) + "/" + std::string(key);
        ASSERT_EQ(text.Text(), stepwise) << step;
        EXPECT_EQ(text.SectionNames(), ProfileSectionNames(stepwise)) << step;
        for (const char* s : {"A", "B", "C"}) {
            EXPECT_EQ(text.KeyNames(s), ProfileKeyNames(stepwise, s)) << step;
            for (const char* k : {"k", "new", "x", "z", "c", "d"})
                EXPECT_EQ(text.FindValue(s, k, nullptr), ProfileFindValue(stepwise, s, k, nullptr))
                    << step << " " << s << "/" << k;
        }
    }
    EXPECT_EQ(stepwise, "pre\r\n[B]\n[A]\r\nz=3\r\n");
}

TEST(ProfileFile, FirstWriteCreatesTheFileAndDeletesCreateNothing) {
    const test::TempDir dir("profile");
    const std::string path = dir.file("a.ini");
    EXPECT_TRUE(WriteProfileString(path, "S", "k", std::nullopt) &&
                DeleteProfileSection(path, "S"));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(ReadProfileString(path, "S", "k", "dflt"), "dflt");
    ASSERT_TRUE(WriteProfileString(path, "S", "k", "v"));
    EXPECT_EQ(std::tuple(test::FileBytes(path), ReadProfileString(path, "s", "K", "dflt"),
                         ReadProfileSectionNames(path), ReadProfileKeys(path, "S")),
              std::tuple("[S]\r\nk=v\r\n", "v", std::vector<std::string>{"S"},
                         std::vector<std::string>{"k"}));
    ASSERT_TRUE(DeleteProfileSection(path, "s"));
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(test::FileBytes(path), "");
}

}  // namespace
}  // namespace quorin
