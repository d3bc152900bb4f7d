#include "report/equipment.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "platform/files.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

class EquipmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorin-eq-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        folder_ = dir_.string() + "/";
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Config(const char* sub, std::string_view text) {
        fs::create_directories(dir_ / sub);
        ASSERT_TRUE(WriteFileAtomic((dir_ / sub / "VKM.CFG").string(), text));
    }
    // A module file last written at 9:05 on 7 March 2012, local time.
    void ModuleFile(const char* name) {
        const std::string path = folder_ + name;
        ASSERT_TRUE(WriteFileAtomic(path, "module"));
        std::tm t{};
        t.tm_year = 112;
        t.tm_mon = 2;
        t.tm_mday = 7;
        t.tm_hour = 9;
        t.tm_min = 5;
        t.tm_isdst = -1;
        const timespec times[2] = {{std::mktime(&t), 0}, {std::mktime(&t), 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    fs::path dir_;
    std::string folder_;
};

TEST_F(EquipmentTest, HardwareTable) {
    const CReportTable t = BuildHardwareTable("ZX$3000", "SN 42");
    EXPECT_EQ(t.title, "Hardware Configuration: ");
    EXPECT_EQ(t.rowCount, 2);
    EXPECT_EQ(t.colCount, 2);
    EXPECT_EQ(t.height, 28);
    EXPECT_EQ(t.posX, 0);
    EXPECT_EQ(t.posY, 0);
    EXPECT_EQ(t.width, 200);
    ASSERT_EQ(t.columns.size(), 2u);
    EXPECT_EQ(t.columns[0].index, 0);
    EXPECT_EQ(t.columns[0].width, 80);
    EXPECT_EQ(t.columns[0].rowCount, 2);
    EXPECT_EQ(t.columns[1].index, 1);
    EXPECT_EQ(t.columns[1].width, 120);
    EXPECT_EQ(t.CellText(0, 0), "Device Type");
    EXPECT_EQ(t.CellText(1, 0), "ZX 3000");
    EXPECT_EQ(t.CellText(0, 1), "Serial-number");
    EXPECT_EQ(t.CellText(1, 1), "SN 42");
}

TEST_F(EquipmentTest, ModuleTableVersionAndFileTime) {
    struct Case {
        const char* config;
        const char* version;
    } cases[] = {
        {"x;Version:2.05;AutoTest:1;", "2.05-0703-0905"},
        {"Version:2.;", "1.78-0703-0905"},
        {"Version:2.05", "1.78-0703-0905"},
        {"", "1.78-0703-0905"},
    };
    ModuleFile("distance");
    for (const auto& c : cases) {
        Config("CFG", c.config);
        const CReportTable t = BuildModuleTable("distance", "Distance$Protection", folder_);
        EXPECT_EQ(t.title, "Test Module Parameter");
        EXPECT_EQ(t.rowCount, 2);
        EXPECT_EQ(t.colCount, 2);
        EXPECT_EQ(t.height, 28);
        EXPECT_EQ(t.CellText(0, 0), "Name ");
        EXPECT_EQ(t.CellText(1, 0), "Distance Protection");
        EXPECT_EQ(t.CellText(0, 1), "Version ");
        EXPECT_EQ(t.CellText(1, 1), c.version) << c.config;
        EXPECT_EQ(t.columns[0].width, 8 * 19);
        EXPECT_EQ(t.columns[1].width, 8 * static_cast<int>(std::string(c.version).size()));
    }
}

TEST_F(EquipmentTest, ModuleVersionWithoutConfigOrModuleFile) {
    EXPECT_EQ(ModuleVersionText("missing", folder_), "1.78");
    Config("cfg", "Version:3.10;");
    EXPECT_EQ(ModuleVersionText("missing", folder_), "3.10");
    EXPECT_EQ(ModuleVersionText("not-loaded-anywhere"), "1.78");
    const CReportTable t = BuildModuleTable("x", "", folder_);
    EXPECT_EQ(t.columns[0].width, 8 * 5);
}

TEST_F(EquipmentTest, LoadedModuleFolderFindsLibrariesAndTheProgram) {
    EXPECT_EQ(LoadedModuleFolder("report_tests"), ExecutableFolder());
    const std::string lib = LoadedModuleFolder("libquorin_report.so");
    ASSERT_FALSE(lib.empty());
    EXPECT_TRUE(fs::exists(lib + "libquorin_report.so"));
    EXPECT_EQ(LoadedModuleFolder("no-such-module.so"), "");
    EXPECT_EQ(LoadedModuleFolder(""), "");
}

TEST_F(EquipmentTest, AutoTestType) {
    struct Case {
        const char* config;
        int expected;
    } cases[] = {
        {"AutoTest:1;AutoTestType:107;", 107},
        {"Version:2.0;AutoTest:1;", 104},
        {"AutoTest:0;AutoTestType:107;", 0},
        {"AutoTestType:107;", 0},
        {"AutoTest: 2;AutoTestType:abc;", 0},
        {"AutoTest:-1;AutoTestType: 12x;", 12},
        {"AutoTest:1", 0},
        {"AutoTest:1;AutoTestType:5;AutoTestType:6;", 5},
    };
    EXPECT_EQ(GetAutoTestType(folder_), 0);
    for (const auto& c : cases) {
        Config("cfg", c.config);
        EXPECT_EQ(GetAutoTestType(folder_), c.expected) << c.config;
    }
    fs::remove_all(dir_ / "cfg");
    Config("CFG", "AutoTest:1;");
    EXPECT_EQ(GetAutoTestType(folder_), 104);
}

TEST(GetBetween, TextUpToTheNextSemicolon) {
    struct Case {
        std::string_view text, key, expected;
    } cases[] = {
        {"a:1;Version:2.05;b:2;", "Version:", "2.05"},
        {"Version:;", "Version:", ""},
        {"Version:1.5", "Version:", ""},
        {"x", "Version:", ""},
        {"", "Version:", ""},
        {"Version:1;", "", ""},
        {"k:first;k:second;", "k:", "first"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetBetween(c.text, c.key), c.expected) << c.text;
}

TEST(TestModules, KnownNamesCompareInLowerCase) {
    EXPECT_EQ(kTestModuleNames.size(), 18u);
    for (const char* name : kTestModuleNames)
        EXPECT_TRUE(IsKnownTestModule(name)) << name;
    EXPECT_TRUE(IsKnownTestModule("Distance"));
    EXPECT_TRUE(IsKnownTestModule("OVERCURRENT"));
    EXPECT_FALSE(IsKnownTestModule("distance.exe"));
    EXPECT_FALSE(IsKnownTestModule("bash"));
    EXPECT_FALSE(IsKnownTestModule(""));
}

class ProcessListTest : public EquipmentTest {
protected:
    void Process(const std::string& pid, const std::string& exeTarget, const char* comm = "") {
        fs::create_directories(dir_ / pid);
        if (!exeTarget.empty()) fs::create_symlink(exeTarget, dir_ / pid / "exe");
        if (*comm) {
            ASSERT_TRUE(WriteFileAtomic((dir_ / pid / "comm").string(), comm));
        }
    }
};

TEST_F(ProcessListTest, CountsKnownModulesAmongProcesses) {
    Process("1", "/sbin/init");
    Process("self", "/opt/suite/bin/distance");  // not a process number
    Process("20", "/usr/bin/bash");
    EXPECT_TRUE(IsSingleTestModule(dir_.string()));
    Process("31", "/opt/suite/bin/Distance");
    EXPECT_TRUE(IsSingleTestModule(dir_.string()));
    Process("42", "", "OverCurrent\n");
    EXPECT_FALSE(IsSingleTestModule(dir_.string()));
}

TEST_F(ProcessListTest, DeletedExecutableStillCounts) {
    Process("5", "/opt/suite/bin/timing (deleted)");
    Process("6", "/opt/suite/bin/TIMING");
    EXPECT_FALSE(IsSingleTestModule(dir_.string()));
}

TEST_F(ProcessListTest, UnreadableListCountsAsSingle) {
    EXPECT_TRUE(IsSingleTestModule((dir_ / "no-proc").string()));
    EXPECT_TRUE(IsSingleTestModule());
}

}  // namespace
}  // namespace quorin
