#include "platform/com/registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "tests/common/server_library.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;
using test::EnvGuard;

const CLSID kClassA = MakeGuid("{20CEF8D1-DE93-473D-A80A-D3D160BCE537}");
const CLSID kClassB = MakeGuid("{11111111-2222-3333-4444-555555555555}");

// The registry file lies in folders that do not exist yet.
class RegistryTest : public ::testing::Test {
protected:
    std::string Slurp() const { return test::FileBytes(file_.string()); }
    test::TempDir dir_{"registry"};
    const fs::path file_ = fs::path(dir_.path()) / "nested" / "folders" / "registry.ini";
    EnvGuard env_{"QUORIN_REGISTRY", file_.c_str()};
};

const std::string kLibrary = "/opt/q/lib/libquorin.so";

TEST_F(RegistryTest, RegistrationWritesBothSectionsIntoNewFolders) {
    ASSERT_EQ(RegisterInprocServer(kClassA, "Quorin.QuorinCom", kLibrary), S_OK);
    EXPECT_EQ(Slurp(), test::DataBytes("registry_new.ref"));
    std::string path;
    ASSERT_EQ(FindInprocServer(kClassA, &path), S_OK);
    EXPECT_EQ(path, kLibrary);
    CLSID clsid{};
    ASSERT_EQ(FindProgId("quorin.quorincom", &clsid), S_OK);  // case does not matter
    EXPECT_EQ(clsid, kClassA);
}

// Registering again replaces our sections in place; the others stay as they were.
TEST_F(RegistryTest, OtherEntriesAreKeptByteForByte) {
    fs::create_directories(file_.parent_path());
    const std::string before = test::DataBytes("registry_other.txt");
    ASSERT_TRUE(WriteFileAtomic(file_.string(), before));
    const std::string fresh = test::DataBytes("registry_new.ref");
    std::string ours = fresh.substr(fresh.find('['));
    ASSERT_EQ(RegisterInprocServer(kClassA, "Quorin.QuorinCom", "/l/b.so"), S_OK);
    ASSERT_EQ(RegisterInprocServer(kClassA, "Quorin.QuorinCom", kLibrary), S_OK);
    EXPECT_EQ(Slurp(), before + "\n\n" + ours);
    std::string path;
    ASSERT_EQ(FindInprocServer(kClassB, &path), S_OK);  // CR LF lines read as well
    EXPECT_EQ(path, "/x/libother.so");
}

TEST_F(RegistryTest, RelativeLibraryPathIsMadeAbsolute) {
    ASSERT_EQ(RegisterInprocServer(kClassA, "Quorin.QuorinCom", "lib/../libquorin.so"), S_OK);
    std::string path;
    ASSERT_EQ(FindInprocServer(kClassA, &path), S_OK);
    EXPECT_EQ(path, (fs::current_path() / "libquorin.so").string());
}

TEST_F(RegistryTest, BadArgumentsAreRefusedAndTheFileIsUntouched) {
    ASSERT_EQ(RegisterInprocServer(kClassB, "Other.Thing", "/l/b.so"), S_OK);
    const std::string before = Slurp();
    for (const auto& c : test::DataCases("registry_bad_args.txt"))
        EXPECT_EQ(RegisterInprocServer(kClassA, c.at(0), c.at(1)), E_INVALIDARG) << c[0] << c[1];
    EXPECT_EQ(Slurp(), before);
    EXPECT_EQ(RegisterInprocServer(kClassA, "Q23456789012345678901234567890123456789", "/a.so"),
              S_OK);  // 39 characters
}

TEST_F(RegistryTest, NewProgIdAndUnregistrationTouchOnlyTheirClass) {
    ASSERT_EQ(RegisterInprocServer(kClassB, "Other.Thing", "/l/b.so"), S_OK);
    const std::string onlyB = Slurp();
    ASSERT_EQ(RegisterInprocServer(kClassA, "Old.Name", "/l/a.so"), S_OK);
    ASSERT_EQ(RegisterInprocServer(kClassA, "New.Name", "/l/a.so"), S_OK);
    CLSID a{}, b{};
    EXPECT_EQ(Slurp().find("Old.Name"), std::string::npos);
    ASSERT_EQ(FindProgId("New.Name", &a), S_OK);
    ASSERT_EQ(FindProgId("Other.Thing", &b), S_OK);
    EXPECT_EQ(std::pair(a, b), std::pair(kClassA, kClassB));

    for (int twice = 0; twice < 2; ++twice) {  // the second time there is nothing to remove
        ASSERT_EQ(UnregisterInprocServer(kClassA), S_OK);
        EXPECT_EQ(Slurp(), onlyB + "\n");
    }
    std::string path = "untouched";
    EXPECT_EQ(FindInprocServer(kClassA, &path), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(path, "untouched");
}

TEST_F(RegistryTest, FailedRewriteLeavesTheOldFile) {
    ASSERT_EQ(RegisterInprocServer(kClassB, "Other.Thing", "/l/b.so"), S_OK);
    const std::string before = Slurp();
    EXPECT_EQ(test::UnderFileSizeLimit(
                  before.size(),
                  [] { return RegisterInprocServer(kClassA, "Quorin.QuorinCom", "/l/a.so"); }),
              E_FAIL);
    EXPECT_EQ(Slurp(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), fs::directory_iterator()),
              1);
}

TEST_F(RegistryTest, UnreadableRegistryFailsCleanly) {
    fs::create_directories(file_);  // a folder where the file should be
    EXPECT_EQ(RegisterInprocServer(kClassA, "Quorin.QuorinCom", "/l/a.so"), E_FAIL);
    EXPECT_EQ(UnregisterInprocServer(kClassA), E_FAIL);
    std::string path;
    EXPECT_EQ(FindInprocServer(kClassA, &path), REGDB_E_CLASSNOTREG);
    CLSID clsid{};
    EXPECT_EQ(FindProgId("Quorin.QuorinCom", &clsid), CO_E_CLASSSTRING);
}

TEST(RegistryText, MalformedTextsAreReadWithoutCrashing) {
    for (const auto& c : test::DataCases("registry_texts.txt")) {
        const std::string& text = c.at(0);
        std::string path = "untouched";
        EXPECT_EQ(FindInprocServerIn(text, kClassA, &path), c.at(1) != "untouched") << text;
        EXPECT_EQ(path, c[1]) << text;
        CLSID clsid = kClassB;
        EXPECT_EQ(FindProgIdIn(text, "Q.C", &clsid), c.at(2) == "1") << text;
        EXPECT_EQ(clsid, c[2] == "1" ? kClassA : kClassB) << text;
        // Rewriting malformed text keeps it and makes the class readable.
        const std::string rewritten = WithInprocServer(text, kClassA, "Q.C", "/new.so");
        EXPECT_TRUE(FindInprocServerIn(rewritten, kClassA, &path) &&
                    FindProgIdIn(rewritten, "Q.C", &clsid))
            << text;
        EXPECT_EQ(std::pair(path, clsid), std::pair(std::string("/new.so"), kClassA)) << text;
        EXPECT_FALSE(FindInprocServerIn(WithoutInprocServer(rewritten, kClassA), kClassA, &path));
    }
}

TEST(RegistryPath, EnvironmentChoosesTheFile) {
    EnvGuard home("HOME", "/home/tester");
    const struct {
        const char* registry;
        const char* xdg;
        const char* path;
    } cases[] = {
        {"/etc/q/reg.ini", "/xdg", "/etc/q/reg.ini"},
        {"", "/xdg", "/xdg/quorin/registry.ini"},
        {nullptr, "relative/ignored", "/home/tester/.config/quorin/registry.ini"},
    };
    for (const auto& c : cases) {
        EnvGuard file("QUORIN_REGISTRY", c.registry);
        EnvGuard xdg("XDG_CONFIG_HOME", c.xdg);
        EXPECT_EQ(RegistryPath(), c.path);
    }
}

}  // namespace
}  // namespace quorin
