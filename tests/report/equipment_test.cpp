#include "report/equipment.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <tuple>

#include "platform/files.h"
#include "platform/numtext.h"
#include "tests/common/record.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

class EquipmentTest : public ::testing::Test {
protected:
    void Config(const char* sub, std::string_view text) {
        fs::create_directories(dir_.file(sub));
        ASSERT_TRUE(WriteFileAtomic(dir_.file(std::string(sub) + "/VKM.CFG"), text));
    }
    test::TempDir dir_{"equipment"};
    const std::string folder_ = dir_.file("");
};

// The title, size and cells of a two-column table, one row per record line.
test::Record Summary(const CReportTable& t) {
    test::Record record = {{"title", t.title},
                           {"rows x columns", test::Str(t.rowCount) + "x" + test::Str(t.colCount)},
                           {"height", test::Str(t.height)},
                           {"column widths", test::Str(t.columns.at(0).width) + "," +
                                                 test::Str(t.columns.at(1).width)}};
    for (int r = 0; r < t.rowCount; ++r)
        record.emplace_back(t.CellText(r, 0), t.CellText(r, 1));
    return record;
}

test::Record TwoByTwo(const std::string& title, const std::string& widths, test::Record cells) {
    test::Record record = {
        {"title", title}, {"rows x columns", "2x2"}, {"height", "28"}, {"column widths", widths}};
    record.insert(record.end(), cells.begin(), cells.end());
    return record;
}

TEST(HardwareTable, TwoRowsOfTypeAndSerialNumber) {
    const CReportTable t = BuildHardwareTable("ZX$3000", "SN 42");
    EXPECT_EQ(Summary(t), TwoByTwo("Hardware Configuration: ", "80,120",
                                   {{"Device Type", "Serial-number"}, {"ZX 3000", "SN 42"}}));
    EXPECT_EQ(std::vector<int>({t.posX, t.posY, t.width, t.columns[1].index}),
              std::vector<int>({0, 0, 200, 1}));
}

TEST_F(EquipmentTest, ModuleTableVersionAndFileTime) {
    // A module file last written at 9:05 on 7 March 2012, local time.
    ASSERT_TRUE(WriteFileAtomic(folder_ + "distance", "module"));
    std::tm tm{};
    std::tie(tm.tm_year, tm.tm_mon, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_isdst) =
        std::tuple(112, 2, 7, 9, 5, -1);
    const timespec times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder_ + "distance").c_str(), times, 0), 0);
    const std::pair<const char*, const char*> cases[] = {
        {"x;Version:2.05;AutoTest:1;", "2.05-0703-0905"},
        {"Version:2.;", "1.78-0703-0905"},
        {"Version:2.05", "1.78-0703-0905"},
        {"", "1.78-0703-0905"},
    };
    for (const auto& [config, version] : cases) {
        Config("CFG", config);
        EXPECT_EQ(Summary(BuildModuleTable("distance", "Distance$Protection", folder_)),
                  TwoByTwo("Test Module Parameter", "152,112",
                           {{"Name ", "Version "}, {"Distance Protection", version}}))
            << config;
    }
    // Without the module file the version stands alone; without a configuration it is 1.78.
    fs::remove_all(dir_.file("CFG"));
    EXPECT_EQ(ModuleVersionText("missing", folder_), "1.78");
    Config("cfg", "Version:3.10;");
    EXPECT_EQ(ModuleVersionText("missing", folder_), "3.10");
    EXPECT_EQ(ModuleVersionText("not-loaded-anywhere"), "1.78");
    EXPECT_EQ(BuildModuleTable("x", "", folder_).columns[0].width, 8 * 5);
}

TEST(LoadedModuleFolder, FindsLibrariesAndTheProgram) {
    EXPECT_EQ(LoadedModuleFolder("report_tests"), ExecutableFolder());
    const std::string lib = LoadedModuleFolder("libquorin_report.so");
    ASSERT_FALSE(lib.empty());
    EXPECT_TRUE(fs::exists(lib + "libquorin_report.so"));
    EXPECT_EQ(std::pair(LoadedModuleFolder("no-such-module.so"), LoadedModuleFolder("")),
              std::pair(std::string(), std::string()));
}

TEST_F(EquipmentTest, AutoTestType) {
    EXPECT_EQ(GetAutoTestType(folder_), 0);
    for (const auto& c : test::DataCases("auto_test_type.txt")) {
        Config("cfg", c.at(0));
        EXPECT_EQ(FormatInt(GetAutoTestType(folder_)), c.at(1)) << c[0];
    }
    fs::remove_all(dir_.file("cfg"));
    Config("CFG", "AutoTest:1;");
    EXPECT_EQ(GetAutoTestType(folder_), 104);
}

TEST_F(EquipmentTest, SingleTestModuleCountsKnownModulesAmongProcesses) {
    const std::string proc = dir_.path();
    auto process = [&](const std::string& pid, const std::string& exe, const char* comm = "") {
        fs::create_directories(dir_.file(pid));
        if (!exe.empty()) fs::create_symlink(exe, dir_.file(pid + "/exe"));
        if (*comm) {
            EXPECT_TRUE(WriteFileAtomic(dir_.file(pid + "/comm"), comm));
        }
    };
    EXPECT_TRUE(IsSingleTestModule(dir_.file("no-proc")));  // unreadable: single
    EXPECT_TRUE(IsSingleTestModule());
    process("1", "/sbin/init");
    process("self", "/opt/suite/bin/distance");  // not a process number
    process("20", "/usr/bin/bash");
    EXPECT_TRUE(IsSingleTestModule(proc));
    process("31", "/opt/suite/bin/Distance");
    EXPECT_TRUE(IsSingleTestModule(proc));
    process("42", "", "OverCurrent\n");  // names compare in lower case
    EXPECT_FALSE(IsSingleTestModule(proc));
    fs::remove_all(dir_.file("42"));
    process("5", "/opt/suite/bin/timing (deleted)");  // a replaced executable still counts
    EXPECT_FALSE(IsSingleTestModule(proc));
}

}  // namespace
}  // namespace quorin
