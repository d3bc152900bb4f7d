#include "platform/private_profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

std::string Find(std::string_view content, std::string_view section, std::string_view key) {
    std::string value;
    return ProfileFindValue(content, section, key, &value) ? value : "<absent>";
}

TEST(ProfileRead, MatchesNamesWithoutCaseAndTrimsBlanks) {
    const std::string text =
        "top=ignored\r\n"
        "  [ Report Setting ]  trailing\r\n"
        "; StationName=comment\r\n"
        "\tStationName \t=  Main  Street \t\r\n"
        "NoEquals\r\n"
        "=empty key\r\n"
        "[Other]\r\n"
        "StationName=other\r\n"
        "[Open\r\n"  // no closing bracket: no section
        "k=in other\r\n"
        "[\xD6\x41]\r\nk=upper\r\n[\xD6\x61]\r\nk=lower\r\n";  // GBK trail bytes are not folded
    struct Case {
        std::string_view section, key, expected;
    } cases[] = {
        {"report setting", "stationname", "Main  Street"},
        {"REPORT SETTING", "STATIONNAME", "Main  Street"},
        {" Report Setting ", " StationName ", "Main  Street"},
        {"other", "StationName", "other"},
        {"other", "k", "in other"},
        {"Open", "k", "<absent>"},
        {"Report Setting", "; StationName", "<absent>"},
        {"Report Setting", "NoEquals", "<absent>"},
        {"Report Setting", "top", "<absent>"},
        {"Missing", "StationName", "<absent>"},
        {"\xD6\x61", "k", "lower"},
        {"\xD6\x41", "k", "upper"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Find(text, c.section, c.key), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(ProfileSectionNames(text),
              (std::vector<std::string>{"Report Setting", "Other", "\xD6\x41", "\xD6\x61"}));
}

TEST(ProfileRead, FirstSectionAndFirstKeyWin) {
    const std::string text = "[A]\nk=1\nK=2\n[B]\nk=b\n[a]\nk=3\nonly=later\n";
    EXPECT_EQ(Find(text, "A", "k"), "1");
    EXPECT_EQ(Find(text, "A", "only"), "<absent>");
    EXPECT_EQ(ProfileSectionNames(text), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ProfileKeyNames(text, "a"), (std::vector<std::string>{"k"}));
}

TEST(ProfileRead, LineEndsOfEveryKindAndNoneAtTheEnd) {
    const std::string text = "[A]\rx=1\ry=2\r\n[B]\nz=3";
    EXPECT_EQ(Find(text, "A", "x"), "1");
    EXPECT_EQ(Find(text, "A", "y"), "2");
    EXPECT_EQ(Find(text, "B", "z"), "3");
    EXPECT_EQ(ProfileKeyNames(text, "A"), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(ProfileSectionNames("[Last]"), std::vector<std::string>{"Last"});
    EXPECT_EQ(Find("[Last]\r\nk=v", "Last", "k"), "v");
}

TEST(ProfileWrite, ChangesOnlyTheLinesItMust) {
    struct Case {
        const char* name;
        std::string before;
        std::string_view section, key;
        std::optional<std::string_view> value;
        std::string after;
    } cases[] = {
        {"replace keeps key spelling and line end", "; c\r\n[A]\r\n  Key = old ;x\r\nz=1\r\n", "a",
         "KEY", "new", "; c\r\n[A]\r\nKey=new\r\nz=1\r\n"},
        {"new key after last non-blank line", "[A]\r\nx=1\r\n\r\n[B]\r\n", "A", "y", "2",
         "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\n"},
        {"new key after a comment", "[A]\r\n;note\r\n", "A", "y", "2", "[A]\r\n;note\r\ny=2\r\n"},
        {"new key when the file ends without line end", "[A]\r\nx=1", "A", "y", "2",
         "[A]\r\nx=1\r\ny=2\r\n"},
        {"new section at end", "[A]\nx=1\n", "B", "k", "v", "[A]\nx=1\n[B]\nk=v\n"},
        {"new section after unterminated line", "[A]\r\nx=1", "B", "k", "v",
         "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        {"empty file", "", "S", "k", "", "[S]\r\nk=\r\n"},
        {"value cut at line break", "", "S", "k", "one\r\ntwo", "[S]\r\nk=one\r\n"},
        {"delete every line of the key", "[A]\r\nk=1\r\nx=2\r\nK=3\r\n[B]\r\nk=b\r\n", "A", "k",
         std::nullopt, "[A]\r\nx=2\r\n[B]\r\nk=b\r\n"},
        {"delete missing key", "[A]\r\nx=2\r\n", "A", "k", std::nullopt, "[A]\r\nx=2\r\n"},
        {"delete from missing section", "[A]\r\n", "B", "k", std::nullopt, "[A]\r\n"},
    };
    for (auto& c : cases) {
        std::string content = c.before;
        EXPECT_TRUE(ProfileSetValue(content, c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(content, c.after) << c.name;
    }
}

TEST(ProfileWrite, RefusesNamesThatCannotStandInAFile) {
    const std::pair<std::string_view, std::string_view> bad[] = {
        {"", "k"},    {"A", ""},   {"A]", "k"}, {"A\r\nB", "k"},
        {"A", "k=1"}, {"A", ";k"}, {"A", "[k"}, {"A", "k\nj"},
    };
    for (const auto& [section, key] : bad) {
        std::string content = "[A]\r\nk=1\r\n";
        EXPECT_FALSE(ProfileSetValue(content, section, key, "v")) << section << "/" << key;
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
    const struct {
        std::string_view section, key;  // no key: delete the section
        std::optional<std::string_view> value;
    } edits[] = {
        {"A", "new", "n"},
        {"A", "k", std::nullopt},
        {"A", "new", std::nullopt},
        {"a", "K", "again"},
        {"C", "c", "1"},
        {"c", "d", "2"},
        {"B", "x", "y"},
        {"A", "", {}},
        {"A", "z", "3"},
        {"c", "", {}},
        {"C", "c", std::nullopt},
        {"B", "x", std::nullopt},
    };
    ProfileText text(start);
    std::string stepwise = start;
    for (const auto& e : edits) {
        if (e.key.empty()) {
            text.DeleteSection(e.section);
            ProfileDeleteSection(stepwise, e.section);
        } else {
            ASSERT_TRUE(text.SetValue(e.section, e.key, e.value));
            ASSERT_TRUE(ProfileSetValue(stepwise, e.section, e.key, e.value));
        }
        const std::string step = std::string(e.section) + "/" + std::string(e.key);
        ASSERT_EQ(text.Text(), stepwise) << step;
        EXPECT_EQ(text.SectionNames(), ProfileSectionNames(stepwise)) << step;
        for (const char* section : {"A", "B", "C"}) {
            EXPECT_EQ(text.KeyNames(section), ProfileKeyNames(stepwise, section)) << step;
            for (const char* key : {"k", "new", "x", "z", "c", "d"})
                EXPECT_EQ(text.FindValue(section, key, nullptr),
                          ProfileFindValue(stepwise, section, key, nullptr))
                    << step << " " << section << "/" << key;
        }
    }
    EXPECT_EQ(stepwise, "pre\r\n[B]\n[A]\r\nz=3\r\n");
}

TEST(ProfileFile, FirstWriteCreatesTheFileAndDeletesCreateNothing) {
    const test::TempDir dir("profile");
    const std::string path = dir.file("a.ini");
    std::string content;
    EXPECT_TRUE(WriteProfileString(path, "S", "k", std::nullopt));
    EXPECT_TRUE(DeleteProfileSection(path, "S"));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(ReadProfileString(path, "S", "k", "dflt"), "dflt");
    ASSERT_TRUE(WriteProfileString(path, "S", "k", "v"));
    EXPECT_TRUE(ReadFileBytes(path, content));
    EXPECT_EQ(content, "[S]\r\nk=v\r\n");
    EXPECT_EQ(ReadProfileString(path, "s", "K", "dflt"), "v");
    EXPECT_EQ(ReadProfileSectionNames(path), std::vector<std::string>{"S"});
    EXPECT_EQ(ReadProfileKeys(path, "S"), std::vector<std::string>{"k"});
    ASSERT_TRUE(DeleteProfileSection(path, "s"));
    EXPECT_TRUE(ReadFileBytes(path, content));
    EXPECT_EQ(content, "");
}

}  // namespace
}  // namespace quorin
