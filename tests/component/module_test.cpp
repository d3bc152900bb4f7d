// libquorin.so as hosts load it: registered by its DllRegisterServer, created by ProgID through
// the class registry, its objects counted by DllCanUnloadNow, its cfg/ folder beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "component/com_interfaces.h"
#include "platform/com/activation.h"
#include "platform/com/registry.h"
#include "report/report_item.h"
#include "tests/common/locale_guard.h"
#include "tests/common/server_library.h"
#include "tests/component/component_fixture.h"

namespace quorin::test {
namespace {

namespace fs = std::filesystem;

class Module : public ServerLibraryTest {
protected:
    Module() : ServerLibraryTest(QUORIN_LIBRARY) {}
};

TEST_F(Module, RegistersItsClassWithItsOwnPath) {
    std::string path;
    ASSERT_EQ(FindInprocServer(CLSID_QuorinCom, &path), S_OK);
    EXPECT_EQ(path, fs::canonical(QUORIN_LIBRARY).string());
}

// Through raw entries, under a decimal-comma locale: numbers keep their point, GBK survives, the
// foreign item comes back as it was.
TEST_F(Module, HostDrivesASequenceAndTheLibraryCountsItsObjects) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"Quorin.QuorinCom", &clsid), S_OK);
    void* edit = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITestItemEdit, &edit),
              S_OK)
        << ActivationErrorText();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    const std::string sample = SampleSequence();
    {
        GermanLocale german;
        OwnedBstr text = OwnedBstr::FromAnsi(sample);
        using Load = int32_t (*)(void*, BSTR, int32_t, int32_t, int32_t, int32_t);
        EXPECT_EQ(Entry<Load>(edit, 3)(edit, text.get(), 0, 0, 1, 0), 1);
        using Evaluate = std::string (*)(void*, int32_t);
        EXPECT_EQ(Entry<Evaluate>(edit, 34)(edit, 0).substr(0, 30).find(','), std::string::npos);
        void* report = nullptr;
        ASSERT_EQ(static_cast<IUnknown*>(edit)->QueryInterface(IID_IResultReport, &report), S_OK);
        OwnedBstr results(Entry<BSTR (*)(void*)>(report, 3)(report));
        EXPECT_EQ(results.ToAnsi().substr(0, 39), "DIST_1_NAME=Z1 reactive reach (\xA6\xB8);DIST");
        int32_t done = 0;  // a std::string by value between other arguments
        using Compose = CReportItem** (*)(void*, int32_t, int32_t*, std::string, int32_t);
        CReportItem** table = Entry<Compose>(report, 4)(report, 0, &done, std::string(100, 'd'), 4);
        EXPECT_EQ(done, 1);
        EXPECT_EQ(table[0]->title.substr(0, 4), "5.  ");
        EXPECT_EQ(Entry<ULONG (*)(void*)>(report, 2)(report), 1u);
    }
    EXPECT_NE(Entry<std::string (*)(void*)>(edit, 9)(edit).find(ForeignItemOf(sample)),
              std::string::npos);
    EXPECT_EQ(Entry<ULONG (*)(void*)>(edit, 2)(edit), 0u);
}

TEST(ModuleFiles, ConfigurationFilesLieBesideTheLibrary) {
    const fs::path cfg = fs::path(QUORIN_LIBRARY).parent_path() / "cfg";
    for (const char* name : {"BurstComEN.ini", "BurstComCH.ini", "Report.ini"})
        EXPECT_TRUE(fs::exists(cfg / name)) << name;
    EXPECT_NE(FileBytes((cfg / "BurstComEN.ini").string()).find("[LineRelay]\r\nName=Name\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace quorin::test
