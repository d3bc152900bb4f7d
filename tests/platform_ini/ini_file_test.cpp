#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/files.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorin-ini-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "Report.ini").string();
        ini_.SetPath(path_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Put(std::string_view bytes) { ASSERT_TRUE(WriteFileAtomic(path_, bytes)); }
    std::string Content() {
        std::string s;
        ReadFileBytes(path_, s);
        return s;
    }
    fs::path dir_;
    std::string path_;
    CIniFile ini_;
};

TEST_F(IniFileTest, GetIntFollowsAtoiAndEmptyGivesTheDefault) {
    Put("[S]\r\nneg=-12\r\nletters=abc\r\nempty=\r\nblank=   \r\nlead=  "
        "+7x\r\nbig=99999999999\r\n");
    struct Case {
        const char* key;
        int expected;
    } cases[] = {{"neg", -12},
                 {"letters", 0},
                 {"empty", 9999},
                 {"blank", 9999},
                 {"lead", 7},
                 {"missing", 9999},
                 {"big", static_cast<int>(99999999999LL)}};
    for (const auto& c : cases)
        EXPECT_EQ(ini_.GetInt("S", c.key, 9999), c.expected) << c.key;
}

TEST_F(IniFileTest, WritesKeepCommentsAndOtherLinesByteForByte) {
    const std::string original =
        "; Quorin report settings\r\n"
        "[ReportSetting]\r\n"
        "ReportTitle = Old title \r\n"
        "  ; keep me\r\n"
        "Tester=Li\r\n"
        "\r\n"
        "[Other]\n"
        "mixed=line ends\n";
    Put(original);
    ini_.WriteString("reportsetting", "REPORTTITLE", "New");
    ini_.WriteInt("ReportSetting", "NeedBinary", -3);
    ini_.WriteString("Other", "added", "x");
    EXPECT_EQ(Content(),
              "; Quorin report settings\r\n"
              "[ReportSetting]\r\n"
              "ReportTitle=New\r\n"
              "  ; keep me\r\n"
              "Tester=Li\r\n"
              "NeedBinary=-3\r\n"
              "\r\n"
              "[Other]\n"
              "mixed=line ends\n"
              "added=x\r\n");
    EXPECT_EQ(ini_.GetString("ReportSetting", "ReportTitle"), "New");
    EXPECT_EQ(ini_.GetInt("ReportSetting", "NeedBinary", 9999), -3);
}

TEST_F(IniFileTest, LongValueIsReadWhole) {
    const std::string value(100000, 'x');
    ini_.WriteString("S", "long", value + "y");
    EXPECT_EQ(ini_.GetString("S", "long"), value + "y");
}

TEST_F(IniFileTest, ValueEndsAtTheFirstNul) {
    Put(std::string("[S]\r\nk=ab\0cd\r\n", 14));
    EXPECT_EQ(ini_.GetString("S", "k", "d"), "ab");
}

TEST_F(IniFileTest, SectionAtTheEndWithoutLineEnd) {
    Put("[A]\r\nx=1\r\n[Last]\r\nk=v");
    EXPECT_EQ(ini_.GetString("Last", "k"), "v");
    ini_.WriteString("Last", "j", "w");
    EXPECT_EQ(Content(), "[A]\r\nx=1\r\n[Last]\r\nk=v\r\nj=w\r\n");
}

TEST_F(IniFileTest, DuplicateKeysFirstWins) {
    Put("[S]\r\nk=first\r\nk=second\r\n");
    EXPECT_EQ(ini_.GetString("S", "k"), "first");
    std::vector<std::string> keys{"stale"};
    ini_.GetKeys("S", keys);
    EXPECT_EQ(keys, std::vector<std::string>{"k"});
}

TEST_F(IniFileTest, EnumeratesInFileOrderAndDeletes) {
    Put("[B]\r\nz=1\r\ny=2\r\n[Empty]\r\n[A]\r\nk=v\r\n");
    std::vector<std::string> names{"stale"};
    ini_.GetSectionNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"B", "Empty", "A"}));
    std::vector<std::string> keys;
    ini_.GetKeys("b", keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"z", "y"}));
    EXPECT_TRUE(ini_.SectionExists("B"));
    EXPECT_FALSE(ini_.SectionExists("Empty"));
    EXPECT_FALSE(ini_.SectionExists("Missing"));
    ini_.DeleteKey("B", "z");
    ini_.DeleteSection("A");
    EXPECT_EQ(Content(), "[B]\r\ny=2\r\n[Empty]\r\n");
}

TEST_F(IniFileTest, MissingFileReadsDefaults) {
    EXPECT_EQ(ini_.GetString("S", "k", "dflt"), "dflt");
    EXPECT_EQ(ini_.GetInt("S", "k", 9999), 9999);
    std::vector<std::string> names{"stale"};
    ini_.GetSectionNames(names);
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniFileTest, RefusedWriteThrowsNamingTheFile) {
    Put("[S]\r\nk=v\r\n");
    ::chmod(path_.c_str(), 0444);
    try {
        ini_.WriteString("S", "k", "w");
        FAIL() << "no exception";
    } catch (const CIniFileException& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot write key 'k' of section 'S' to the ini file '" + path_ +
                      "': the file or its folder is read-only or missing, or the name cannot "
                      "stand in an ini file.");
    }
    EXPECT_THROW(ini_.WriteInt("S", "n", 1), CIniFileException);
    EXPECT_THROW(ini_.DeleteSection("S"), CIniFileException);
    EXPECT_EQ(Content(), "[S]\r\nk=v\r\n");
    CIniFile nowhere((dir_ / "missing" / "x.ini").string());
    EXPECT_THROW(nowhere.WriteString("S", "k", "v"), CIniFileException);
}

}  // namespace
}  // namespace quorin
