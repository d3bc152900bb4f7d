// libquorin.so as hosts load it: registered by its DllRegisterServer, created by ProgID through
// the class registry, its objects counted by DllCanUnloadNow, its cfg/ folder beside it.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "component/com_interfaces.h"
#include "platform/com/activation.h"
#include "platform/com/bstr.h"
#include "platform/com/registry.h"
#include "platform/files.h"
#include "tests/common/locale_guard.h"
#include "tests/component/component_fixture.h"

namespace quorin::test {
namespace {

namespace fs = std::filesystem;

class Module : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorin-module-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        registry_ = (dir_ / "registry.ini").string();
        ::setenv("QUORIN_REGISTRY", registry_.c_str(), 1);
        library_ = ::dlopen(QUORIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << ::dlerror();
        canUnloadNow_ =
            reinterpret_cast<DllCanUnloadNowFunction>(::dlsym(library_, "DllCanUnloadNow"));
        const auto registerServer =
            reinterpret_cast<DllRegisterServerFunction>(::dlsym(library_, "DllRegisterServer"));
        ASSERT_NE(canUnloadNow_, nullptr);
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), 0);
    }
    void TearDown() override {
        if (library_) {
            EXPECT_EQ(canUnloadNow_(), S_OK);
            ::dlclose(library_);
        }
        ::unsetenv("QUORIN_REGISTRY");
        fs::remove_all(dir_);
    }

    ITestItemEdit* Create() {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(u"Quorin.QuorinCom", &clsid), S_OK);
        void* object = nullptr;
        EXPECT_EQ(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITestItemEdit, &object),
            S_OK)
            << ActivationErrorText();
        return static_cast<ITestItemEdit*>(object);
    }

    fs::path dir_;
    std::string registry_;
    void* library_ = nullptr;
    DllCanUnloadNowFunction canUnloadNow_ = nullptr;
};

TEST_F(Module, RegistersItsClassWithItsOwnPath) {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(registry_, bytes));
    const std::string path = fs::canonical(QUORIN_LIBRARY).string();
    EXPECT_NE(bytes.find("[CLSID\\{20CEF8D1-DE93-473D-A80A-D3D160BCE537}]"), std::string::npos);
    EXPECT_NE(bytes.find("InprocServer32=" + path), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("[ProgID\\Quorin.QuorinCom]"), std::string::npos);
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(Module, HostDrivesASequenceAndTheLibraryCountsItsObjects) {
    ITestItemEdit* edit = Create();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    const std::string sample = SampleSequence();
    {
        GermanLocale german;
        OwnedBstr text = OwnedBstr::FromAnsi(sample);
        using Load = int32_t (*)(void*, BSTR, int32_t, int32_t, int32_t, int32_t);
        EXPECT_EQ(Entry<Load>(edit, 3)(edit, text.get(), 0, 0, 1, 0), 1);
        using Evaluate = std::string (*)(void*, int32_t);
        EXPECT_EQ(Entry<Evaluate>(edit, 34)(edit, 0).substr(0, 30).find(','), std::string::npos);
        IResultReport* report = nullptr;
        ASSERT_EQ(edit->QueryInterface(IID_IResultReport, reinterpret_cast<void**>(&report)), S_OK);
        OwnedBstr results(Entry<BSTR (*)(void*)>(report, 3)(report));
        EXPECT_EQ(results.ToAnsi().substr(0, 39), "DIST_1_NAME=Z1 reactive reach (\xA6\xB8);DIST");
        report->Release();
    }
    // The own items are rewritten, the foreign one returned as it was.
    const std::string stored = edit->GetTestItemsText();
    const size_t begin = sample.find("<TestItemBegin>TestComName2=Zelvat");
    const size_t end = sample.find("<TestItemEnd>", begin) + 13;
    EXPECT_NE(stored.find(sample.substr(begin, end - begin)), std::string::npos);
    EXPECT_EQ(edit->Release(), 0u);
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(Module, ConfigurationFilesLieBesideTheLibrary) {
    const fs::path cfg = fs::path(QUORIN_LIBRARY).parent_path() / "cfg";
    for (const char* name : {"BurstComEN.ini", "BurstComCH.ini", "Report.ini"})
        EXPECT_TRUE(fs::exists(cfg / name)) << name;
    std::string english;
    ASSERT_TRUE(ReadFileBytes((cfg / "BurstComEN.ini").string(), english));
    EXPECT_NE(english.find("[LineRelay]\r\nName=Name\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quorin::test
