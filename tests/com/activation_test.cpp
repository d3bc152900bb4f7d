#include "platform/com/activation.h"

#include <gtest/gtest.h>

#include "platform/com/bstr.h"
#include "platform/com/registry.h"
#include "tests/com/toy_interface.h"
#include "tests/common/server_library.h"

namespace quorin {
namespace {

using test::CLSID_ToyCounter;
using test::IID_IToyCounter;
using test::IToyCounter;

const CLSID kUnknownClass = MakeGuid("{0BADC1A5-0000-4000-8000-000000000001}");
const IID kUnknownInterface = MakeGuid("{0BADC1A5-0000-4000-8000-000000000002}");

template <typename Fn>
Fn Entry(void* self, int slot) {
    return reinterpret_cast<Fn>((*static_cast<void***>(self))[slot]);
}

class ActivationTest : public test::ServerLibraryTest {
protected:
    ActivationTest() : ServerLibraryTest(QUORIN_TEST_SERVER) {}
    IToyCounter* CreateToy() {
        void* object = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_ToyCounter, nullptr, CLSCTX_ALL, IID_IToyCounter, &object),
                  S_OK)
            << ActivationErrorText();
        return static_cast<IToyCounter*>(object);
    }
};

// Entry n of the vtable is method slot n; BSTRs and std::string pass by value and as results.
TEST_F(ActivationTest, CreatesByProgIdAndCallsThroughRawEntries) {
    CLSID wide{}, narrow{};
    ASSERT_EQ(CLSIDFromProgID(u"Quorin.ToyCounter", &wide), S_OK);
    ASSERT_EQ(CLSIDFromProgID(std::string_view("quorin.toycounter"), &narrow), S_OK);
    EXPECT_EQ(std::pair(wide, narrow), std::pair(CLSID_ToyCounter, CLSID_ToyCounter));

    void* self = CreateToy();
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(ActivationErrorText(), "");
    Entry<int32_t (*)(void*, int32_t)>(self, 3)(self, 40);
    EXPECT_EQ(Entry<int32_t (*)(void*, int32_t)>(self, 3)(self, 2), 42);
    OwnedBstr prefix = OwnedBstr::FromAnsi("total");
    EXPECT_EQ(OwnedBstr(Entry<BSTR (*)(void*, BSTR)>(self, 4)(self, prefix.get())).ToAnsi(),
              "total=42");
    using Repeat = std::string (*)(void*, std::string, int32_t);
    EXPECT_EQ(Entry<Repeat>(self, 5)(self, "ab", 3), "ababab|42");
    EXPECT_EQ(Entry<ULONG (*)(void*)>(self, 1)(self), 2u);
    void* unknown = nullptr;
    using Query = HRESULT (*)(void*, const IID&, void**);
    ASSERT_EQ(Entry<Query>(self, 0)(self, IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, self);
    EXPECT_EQ(Entry<ULONG (*)(void*)>(self, 2)(self), 2u);
    EXPECT_EQ(Entry<ULONG (*)(void*)>(self, 2)(self), 1u);
    EXPECT_EQ(Entry<ULONG (*)(void*)>(self, 2)(self), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ActivationTest, ServerLocksOutliveTheFactoryAndNeverGoBelowZero) {
    void* object = nullptr;
    ASSERT_EQ(CoGetClassObject(CLSID_ToyCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               &object),
              S_OK);
    auto* factory = static_cast<IClassFactory*>(object);
    ASSERT_EQ(factory->LockServer(1), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_FALSE);

    ASSERT_EQ(
        CoGetClassObject(CLSID_ToyCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown, &object),
        S_OK);
    factory = static_cast<IClassFactory*>(object);
    void* created = nullptr;
    EXPECT_EQ(factory->CreateInstance(factory, IID_IUnknown, &created), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, kUnknownInterface, &created), E_NOINTERFACE);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(factory->LockServer(0), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
    IToyCounter* toy = CreateToy();
    EXPECT_EQ(canUnloadNow(), S_FALSE);  // an unlock below zero would hide this object
    toy->Release();
}

TEST_F(ActivationTest, FailuresComeBackAsHresultsWithTheirText) {
    const std::string missing = dir.file("libmissing.so");
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
         "class {0BADC1A5-0000-4000-8000-000000000001} is not registered in " + registry},
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
    for (const std::u16string& progId :
         {std::u16string(u"No.Such.Class"), std::u16string(u"Quorin.ToyCounter\u00E9"),
          std::u16string(300, u'Q'), std::u16string()})
        EXPECT_EQ(CLSIDFromProgID(progId.c_str(), &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(clsid, kUnknownClass);
    EXPECT_EQ(CLSIDFromProgID(static_cast<const char16_t*>(nullptr), &clsid), E_INVALIDARG);
    EXPECT_EQ(CLSIDFromProgID(u"Quorin.ToyCounter", nullptr), E_POINTER);
    EXPECT_EQ(CLSIDFromProgID(std::string_view("Quorin.ToyCounter"), nullptr), E_POINTER);
}

}  // namespace
}  // namespace quorin
