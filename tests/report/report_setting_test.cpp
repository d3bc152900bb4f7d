#include "report/report_setting.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

class ReportSettingTest : public ::testing::Test {
protected:
    void Put(std::string_view bytes) { ASSERT_TRUE(WriteFileAtomic(path_, bytes)); }
    std::string Content() { return test::FileBytes(path_); }
    test::TempDir dir_{"report-setting"};
    const std::string path_ = dir_.file("Report.ini");
};

TEST(ReportSetting, ConstructionGivesLabelsAndDefaults) {
    const CReportSetting s;
    EXPECT_EQ(s.Path(), "");
    EXPECT_EQ(s.Header(HeaderValue::kReportTitle), "Zelvat\xCA\xB5\xD1\xE9\xB1\xA8\xB8\xE6");
    EXPECT_EQ(s.Header(HeaderValue::kTester), "");
    std::string labels;  // one line per group
    for (LabelGroup g : {LabelGroup::kStation, LabelGroup::kDevice, LabelGroup::kNominal,
                         LabelGroup::kTestEquipment, LabelGroup::kGroupTitles}) {
        for (const std::string& label : s.Labels(g))
            labels += label + "|";
        labels += "\n";
    }
    EXPECT_EQ(labels, test::DataBytes("report_setting_labels.ref"));
    for (int i = 0; i < CReportSetting::kSwitchCount; ++i)
        EXPECT_TRUE(s.IsOn(static_cast<ReportSwitch>(i)));
    EXPECT_EQ(CReportSetting::SwitchKey(ReportSwitch::kCommonPara), std::string("NeedCommomPara"));
}

TEST_F(ReportSettingTest, SwitchValuesAndAMissingSection) {
    for (const auto& c : test::DataCases("report_switches.txt")) {
        Put("[ReportSetting]\r\n" + c.at(0) + "\r\n");
        CReportSetting s;
        s.Load(path_);
        EXPECT_EQ(
            FormatInt(s.Switch(ReportSwitch::kBinary)) + (s.IsOn("NeedBinary") ? " on" : " off"),
            c.at(1))
            << c[0];
    }
    Put("[Other]\r\nReportTitle=x\r\n");
    CReportSetting s;
    s.SetSwitch(ReportSwitch::kBinary, 0);
    s.Load(path_);
    EXPECT_EQ(s.Path(), path_);
    EXPECT_EQ(s.Header(HeaderValue::kReportTitle), "");
    for (int i = 0; i < CReportSetting::kSwitchCount; ++i)
        EXPECT_EQ(s.Switch(static_cast<ReportSwitch>(i)), 9999) << i;
    CReportSetting fromMissingFile;
    fromMissingFile.Load(dir_.file("none.ini"));
    EXPECT_EQ(fromMissingFile.Header(HeaderValue::kReportTitle), "");
}

TEST_F(ReportSettingTest, LoadsEveryRowByItsKey) {
    Put("[reportsetting]\r\nReportTitle=T\r\nstationname=S N\r\nDeviceAdditionalInfo=info\r\n"
        "NeedResultAssess=0\r\nNeedWaveAnalyze=3\r\n"
        "[RunningMessage]\r\nVnom=57.7\r\nModel=ZX-1\r\nTimeEnd=2012-3-7 9:5\r\n"
        "[ModuleConfig]\r\nSelect=Distance\r\n");
    CReportSetting s;
    s.Load(path_);
    EXPECT_EQ(
        (std::vector<std::string>{
            s.Header(HeaderValue::kReportTitle), s.Header(HeaderValue::kStationName),
            s.Header(HeaderValue::kDeviceAdditionalInfo), s.Running(RunningValue::kVnom),
            s.Running(RunningValue::kModel), s.Running(RunningValue::kTimeEnd), s.ModuleSelect()}),
        (std::vector<std::string>{"T", "S N", "info", "57.7", "ZX-1", "2012-3-7 9:5", "Distance"}));
    EXPECT_EQ(
        std::pair(s.Switch(ReportSwitch::kResultAssess), s.Switch(ReportSwitch::kWaveAnalyze)),
        std::pair(0, 3));
}

TEST_F(ReportSettingTest, TestPointsLoadAndSaveUpToTheFirstValueUnderTenCharacters) {
    Put("[ModuleConfig]\r\nTestPoint0=0123456789\r\nTestPoint1=abcdefghijk\r\n"
        "TestPoint2=ABCDEFGHIJ\r\nTestPoint3=123456789\r\nTestPoint4=should not load\r\n");
    CReportSetting s;
    s.SetTestPoint(4, "was four!!");
    s.SetTestPoint(99, "last slot!");
    s.Load(path_);
    EXPECT_EQ(std::vector<std::string>(s.TestPoints().begin(), s.TestPoints().begin() + 5),
              (std::vector<std::string>{"0123456789", "abcdefghijk", "ABCDEFGHIJ", "123456789",
                                        "was four!!"}));
    EXPECT_EQ(s.TestPoints()[99], "last slot!");

    Put("[ModuleConfig]\r\nTestPoint3=stale entry\r\nTestPoint7=stale entry\r\n");
    s.SetTestPoint(4, "never written");
    s.Save(path_);
    std::vector<std::string> keys;
    CIniFile(path_).GetKeys("ModuleConfig", keys);
    // The value under ten characters ends the list unwritten.
    EXPECT_EQ(keys, (std::vector<std::string>{"Select", "TestPoint0", "TestPoint1", "TestPoint2"}));
}

TEST_F(ReportSettingTest, SaveWritesTheRowsInOrder) {
    CReportSetting s;
    s.SetHeader(HeaderValue::kStationName, "North");
    for (int i = 0; i < CReportSetting::kSwitchCount; ++i)
        s.SetSwitch(static_cast<ReportSwitch>(i), i);
    s.SetRunning(RunningValue::kTimeEnd, "end");
    s.SetModuleSelect("Distance");
    s.SetTestPoint(0, "Z1 0.5 0 deg");
    s.SetWaveAnalyze("a=1");
    s.SetHistoryState("h=2");
    s.Save(path_);
    EXPECT_EQ(s.Path(), path_);
    EXPECT_EQ(Content(), test::DataBytes("report_setting_save.ref"));

    CReportSetting back;
    back.Load(path_);
    for (int i = 0; i < CReportSetting::kSwitchCount; ++i)
        EXPECT_EQ(back.Switch(static_cast<ReportSwitch>(i)), i);
    EXPECT_EQ(std::tuple(back.TestPoints()[0], back.WaveAnalyze(), back.HistoryState()),
              std::tuple("Z1 0.5 0 deg", "\r\na=1\r\n", "\r\nh=2\r\n\n"));
}

TEST_F(ReportSettingTest, SaveWithoutPathDoesNothingARefusedSaveThrowsAndKeepsTheFile) {
    Put("[ReportSetting]\r\nTester=x\r\n");
    CReportSetting s;
    s.Load(path_);
    s.SetHeader(HeaderValue::kTester, "y");
    s.Save("");
    s.Load("");
    EXPECT_EQ(std::tuple(s.Path(), s.Header(HeaderValue::kTester)), std::tuple(path_, "y"));
    ::chmod(path_.c_str(), 0444);
    EXPECT_THROW(s.Save(path_), CIniFileException);
    EXPECT_EQ(Content(), "[ReportSetting]\r\nTester=x\r\n");
}

TEST(IniRawSection, ReadsTheBodyUpToTheNextBracketAndWritesAtTheOriginalPositions) {
    for (const auto& c : test::DataCases("ini_raw_read.txt"))
        EXPECT_EQ(IniRawSectionRead(c.at(0), c.at(1)), c.at(2)) << c[0];
    for (const auto& c : test::DataCases("ini_raw_write.txt"))
        EXPECT_EQ(IniRawSectionWrite(c.at(0), c.at(1), c.at(2)), c.at(3)) << c[0];
}

TEST_F(ReportSettingTest, RawSectionFileAccess) {
    std::string text = "unchanged";
    EXPECT_FALSE(CReportSetting::IniRawSection(path_, "W", text, RawDirection::kRead));
    EXPECT_FALSE(CReportSetting::IniRawSection(path_, "W", text, RawDirection::kWrite));  // no file
    EXPECT_EQ(std::pair(text, fs::exists(path_)), std::pair(std::string("unchanged"), false));
    Put("[A]\r\n[W]\r\nbody\r\n[B]\r\n");
    ASSERT_TRUE(CReportSetting::IniRawSection(path_, "W", text, RawDirection::kRead));
    EXPECT_EQ(text, "\r\nbody\r\n");
    ASSERT_TRUE(CReportSetting::IniRawSection(path_, "W", text, RawDirection::kWrite));
    EXPECT_EQ(Content(), "[A]\r\n[W]\r\nbody\r\n\r\n[B]\r\n");
    ::chmod(path_.c_str(), 0444);
    EXPECT_FALSE(CReportSetting::IniRawSection(path_, "W", text, RawDirection::kWrite));
}

}  // namespace
}  // namespace quorin
