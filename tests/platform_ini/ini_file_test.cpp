#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { ini_.SetPath(path_); }
    void Put(std::string_view bytes) { ASSERT_TRUE(WriteFileAtomic(path_, bytes)); }
    std::string Content() { return test::FileBytes(path_); }
    test::TempDir scratch_{"ini"};
    fs::path dir_ = scratch_.path();
    std::string path_ = scratch_.file("Report.ini");
    CIniFile ini_;
};

TEST_F(IniFileTest, GetIntFollowsAtoiAndAMissingFileOrEmptyValueGivesTheDefault) {
    EXPECT_EQ(ini_.GetString("S", "k", "dflt"), "dflt");
    EXPECT_EQ(ini_.GetInt("S", "neg", 9999), 9999);
    EXPECT_FALSE(fs::exists(path_));
    Put("[S]\r\nneg=-12\r\nletters=abc\r\nempty=\r\nblank=   \r\nlead=  +7x\r\n"
        "big=99999999999\r\n");
    for (const auto& c : test::DataCases("ini_get_int.txt"))
        EXPECT_EQ(FormatInt(ini_.GetInt("S", c.at(0), 9999)), c.at(1)) << c[0];
}

TEST_F(IniFileTest, WritesKeepCommentsAndOtherLinesByteForByte) {
    Put(test::DataBytes("report_settings.ini"));
    ini_.WriteString("reportsetting", "REPORTTITLE", "New");
    ini_.WriteInt("ReportSetting", "NeedBinary", -3);
    ini_.WriteString("Other", "added", "x");
    EXPECT_EQ(Content(), test::DataBytes("report_settings.ref"));
    EXPECT_EQ(ini_.GetString("ReportSetting", "ReportTitle"), "New");
    EXPECT_EQ(ini_.GetInt("ReportSetting", "NeedBinary", 9999), -3);
}

TEST_F(IniFileTest, ValuesAreReadWholeUpToTheFirstNul) {
    const std::string value(100000, 'x');
    ini_.WriteString("S", "long", value + "y");
    EXPECT_EQ(ini_.GetString("S", "long"), value + "y");
    Put(std::string("[S]\r\nk=ab\0cd\r\n", 14));
    EXPECT_EQ(ini_.GetString("S", "k", "d"), "ab");
}

TEST_F(IniFileTest, EnumeratesInFileOrderAndDeletes) {
    std::vector<std::string> names{"stale"};
    ini_.GetSectionNames(names);  // no file yet
    EXPECT_TRUE(names.empty());
    Put("[B]\r\nz=1\r\ny=2\r\n[Empty]\r\n[A]\r\nk=v\r\n");
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

// After Open the file is read once and written once, by Commit, and only when it changed.
TEST_F(IniFileTest, OpenHoldsTheTextUntilCommit) {
    Put("[S]\r\nk=v\r\n[T]\r\nx=1\r\n");
    ini_.Open();
    ini_.WriteString("S", "k", "w");
    ini_.WriteInt("S", "n", 5);
    ini_.DeleteSection("T");
    std::vector<std::string> keys;
    ini_.GetKeys("S", keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"k", "n"}));
    EXPECT_EQ(ini_.GetInt("S", "n", 0), 5);
    EXPECT_EQ(Content(), "[S]\r\nk=v\r\n[T]\r\nx=1\r\n");
    ini_.Commit();
    EXPECT_EQ(Content(), "[S]\r\nk=w\r\nn=5\r\n");

    ::chmod(path_.c_str(), 0444);
    ini_.WriteString("S", "k", "w");  // no change, but refused all the same
    EXPECT_THROW(ini_.Commit(), CIniFileException);
    ini_.SetText("[S]\r\nk=replaced\r\n");
    EXPECT_THROW(ini_.Commit(), CIniFileException);
    EXPECT_EQ(Content(), "[S]\r\nk=w\r\nn=5\r\n");
    EXPECT_EQ(ini_.GetString("S", "k"), "replaced");
}

}  // namespace
}  // namespace quorin
