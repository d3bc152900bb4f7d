#include "platform/com/activation.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/com/bstr.h"
#include "platform/com/registry.h"
#include "tests/com/toy_interface.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;
using test::CLSID_ToyCounter;
using test::IID_IToyCounter;
using test::IToyCounter;

const CLSID kUnknownClass = MakeGuid("{0BADC1A5-0000-4000-8000-000000000001}");
const IID kUnknownInterface = MakeGuid("{0BADC1A5-0000-4000-8000-000000000002}");

// The toy server as the test sees it: its own handle on the library the shim loads.
class ActivationTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorin-activation-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        registry_ = (dir_ / "registry.ini").string();
        ::setenv("QUORIN_REGISTRY", registry_.c_str(), 1);
        server_ = ::dlopen(QUORIN_TEST_SERVER, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(server_, nullptr) << ::dlerror();
        canUnloadNow_ =
            reinterpret_cast<DllCanUnloadNowFunction>(::dlsym(server_, "DllCanUnloadNow"));
        ASSERT_NE(canUnloadNow_, nullptr);
        const auto registerServer =
            reinterpret_cast<DllRegisterServerFunction>(::dlsym(server_, "DllRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
    }
    void TearDown() override {
        if (server_) {
            EXPECT_EQ(canUnloadNow_(), S_OK) << "an object or factory of the toy server leaked";
            ::dlclose(server_);
        }
        ::unsetenv("QUORIN_REGISTRY");
        fs::remove_all(dir_);
    }

    IToyCounter* CreateToy() {
        void* object = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_ToyCounter, nullptr, CLSCTX_INPROC_SERVER, IID_IToyCounter,
                                   &object),
                  S_OK)
            << ActivationErrorText();
        return static_cast<IToyCounter*>(object);
    }

    fs::path dir_;
    std::string registry_;
    void* server_ = nullptr;
    DllCanUnloadNowFunction canUnloadNow_ = nullptr;
};

TEST_F(ActivationTest, CreatesByProgIdAndCallsTheInterface) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"Quorin.ToyCounter", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_ToyCounter);
    CLSID again{};
    ASSERT_EQ(CLSIDFromProgID(std::string_view("quorin.toycounter"), &again), S_OK);
    EXPECT_EQ(again, CLSID_ToyCounter);

    void* object = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IToyCounter, &object), S_OK);
    auto* toy = static_cast<IToyCounter*>(object);
    EXPECT_EQ(toy->Add(40), 40);
    EXPECT_EQ(toy->Add(2), 42);
    OwnedBstr prefix = OwnedBstr::FromAnsi("total");
    OwnedBstr described(toy->Describe(prefix.get()));
    EXPECT_EQ(described.ToAnsi(), "total=42");
    EXPECT_EQ(toy->Repeat("ab", 3), "ababab|42");
    EXPECT_EQ(ActivationErrorText(), "");
    EXPECT_EQ(toy->Release(), 0u);
}

TEST_F(ActivationTest, VtableEntryNIsMethodSlotN) {
    IToyCounter* toy = CreateToy();
    ASSERT_NE(toy, nullptr);
    void* self = toy;
    void** vtable = *static_cast<void***>(self);
    const auto addRef = reinterpret_cast<ULONG (*)(void*)>(vtable[1]);
    const auto release = reinterpret_cast<ULONG (*)(void*)>(vtable[2]);
    const auto add = reinterpret_cast<int32_t (*)(void*, int32_t)>(vtable[3]);
    const auto describe = reinterpret_cast<BSTR (*)(void*, BSTR)>(vtable[4]);
    const auto repeat = reinterpret_cast<std::string (*)(void*, std::string, int32_t)>(vtable[5]);
    EXPECT_EQ(add(self, 7), 7);
    EXPECT_EQ(add(self, -2), 5);
    OwnedBstr prefix = OwnedBstr::FromAnsi("n");
    EXPECT_EQ(OwnedBstr(describe(self, prefix.get())).ToAnsi(), "n=5");
    EXPECT_EQ(repeat(self, "xy", 2), "xyxy|5");
    EXPECT_EQ(addRef(self), 2u);
    EXPECT_EQ(release(self), 1u);

    const auto queryInterface = reinterpret_cast<HRESULT (*)(void*, const IID&, void**)>(vtable[0]);
    void* unknown = nullptr;
    ASSERT_EQ(queryInterface(self, IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, self);
    EXPECT_EQ(release(unknown), 1u);
    EXPECT_EQ(release(self), 0u);
}

TEST_F(ActivationTest, ReferencesAndModuleLocksAreCounted) {
    IToyCounter* toy = CreateToy();
    ASSERT_NE(toy, nullptr);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    EXPECT_EQ(toy->AddRef(), 2u);

    void* other = nullptr;
    ASSERT_EQ(toy->QueryInterface(IID_IToyCounter, &other), S_OK);
    EXPECT_EQ(other, toy);
    void* unknown = nullptr;
    ASSERT_EQ(toy->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, toy);
    void* none = toy;
    EXPECT_EQ(toy->QueryInterface(kUnknownInterface, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(toy->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    EXPECT_EQ(toy->Release(), 3u);  // the two queries added two, the failed ones none
    EXPECT_EQ(toy->Release(), 2u);
    EXPECT_EQ(toy->Release(), 1u);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    EXPECT_EQ(toy->Release(), 0u);
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(ActivationTest, ClassFactoryLocksTheServer) {
    void* object = nullptr;
    ASSERT_EQ(CoGetClassObject(CLSID_ToyCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               &object),
              S_OK);
    auto* factory = static_cast<IClassFactory*>(object);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    ASSERT_EQ(factory->LockServer(1), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);  // the lock outlives the factory

    ASSERT_EQ(
        CoGetClassObject(CLSID_ToyCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown, &object),
        S_OK);
    factory = static_cast<IClassFactory*>(object);
    void* created = nullptr;
    IUnknown* outer = factory;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &created), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, kUnknownInterface, &created), E_NOINTERFACE);
    EXPECT_EQ(created, nullptr);
    ASSERT_EQ(factory->LockServer(0), S_OK);
    // Unbalanced unlocks never wrap the count below zero.
    ASSERT_EQ(factory->LockServer(0), S_OK);
    ASSERT_EQ(factory->LockServer(0), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(canUnloadNow_(), S_OK);
    IToyCounter* toy = CreateToy();
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    toy->Release();
}

TEST_F(ActivationTest, FailuresComeBackAsHresults) {
    const std::string missing = (dir_ / "libmissing.so").string();
    const std::string shim = ModulePathOf(reinterpret_cast<const void*>(&SysAllocString));
    ASSERT_FALSE(shim.empty());
    const CLSID kMissingLibrary = MakeGuid("{0BADC1A5-0000-4000-8000-000000000003}");
    const CLSID kNoEntryPoint = MakeGuid("{0BADC1A5-0000-4000-8000-000000000004}");
    const CLSID kNotServed = MakeGuid("{0BADC1A5-0000-4000-8000-000000000005}");
    ASSERT_EQ(RegisterInprocServer(kMissingLibrary, "Test.Missing", missing), S_OK);
    ASSERT_EQ(RegisterInprocServer(kNoEntryPoint, "Test.NoEntry", shim), S_OK);
    ASSERT_EQ(RegisterInprocServer(kNotServed, "Test.NotServed", QUORIN_TEST_SERVER), S_OK);
    std::string toyPath;
    ASSERT_EQ(FindInprocServer(kNotServed, &toyPath), S_OK);

    const struct {
        CLSID clsid;
        uint32_t context;
        HRESULT expected;
        std::string error;
    } cases[] = {
        {kUnknownClass, CLSCTX_ALL, REGDB_E_CLASSNOTREG,
         "class {0BADC1A5-0000-4000-8000-000000000001} is not registered in " + registry_},
        {CLSID_ToyCounter, CLSCTX_LOCAL_SERVER, REGDB_E_CLASSNOTREG,
         "class {6B1E0C52-3F7A-4D21-9C8E-2A5D7F01B3C4} is asked for without "
         "CLSCTX_INPROC_SERVER"},
        {kMissingLibrary, CLSCTX_INPROC_SERVER, E_MOD_NOT_FOUND,
         missing + ": cannot open shared object file: No such file or directory"},
        {kNoEntryPoint, CLSCTX_INPROC_SERVER, E_PROC_NOT_FOUND, shim + ": no DllGetClassObject"},
        {kNotServed, CLSCTX_INPROC_SERVER, CLASS_E_CLASSNOTAVAILABLE,
         toyPath + ": DllGetClassObject refused class {0BADC1A5-0000-4000-8000-000000000005}"},
    };
    for (const auto& c : cases) {
        void* object = &object;
        EXPECT_EQ(CoCreateInstance(c.clsid, nullptr, c.context, IID_IUnknown, &object), c.expected)
            << c.error;
        EXPECT_EQ(object, nullptr) << c.error;
        EXPECT_EQ(ActivationErrorText(), c.error);
        object = &object;
        EXPECT_EQ(CoGetClassObject(c.clsid, c.context, nullptr, IID_IClassFactory, &object),
                  c.expected)
            << c.error;
        EXPECT_EQ(object, nullptr) << c.error;
    }

    void* object = &object;
    EXPECT_EQ(CoCreateInstance(CLSID_ToyCounter, nullptr, CLSCTX_ALL, kUnknownInterface, &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_ToyCounter, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr),
              E_POINTER);
    EXPECT_EQ(CoGetClassObject(CLSID_ToyCounter, CLSCTX_ALL, &object, IID_IUnknown, &object),
              E_INVALIDARG);
}

TEST_F(ActivationTest, UnknownProgIdsAreRefused) {
    CLSID clsid = kUnknownClass;
    EXPECT_EQ(CLSIDFromProgID(u"No.Such.Class", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(u"Quorin.ToyCounter\u00E9", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(std::u16string(300, u'Q').c_str(), &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(u"", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(clsid, kUnknownClass);
    EXPECT_EQ(CLSIDFromProgID(static_cast<const char16_t*>(nullptr), &clsid), E_INVALIDARG);
    EXPECT_EQ(CLSIDFromProgID(u"Quorin.ToyCounter", nullptr), E_POINTER);
    EXPECT_EQ(CLSIDFromProgID(std::string_view("Quorin.ToyCounter"), nullptr), E_POINTER);
}

}  // namespace
}  // namespace quorin
