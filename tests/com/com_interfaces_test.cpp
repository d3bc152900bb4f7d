// The component's interfaces are called by hosts through raw vtables: entry n must be the method
// of slot n. A dummy implements all four interfaces in one class (as the component does); every
// method records its name; calling vtable entry n must reach the method named for slot n.
#include "component/com_interfaces.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "platform/com/server.h"

namespace quorin {
namespace {

// Slot, method, result, arguments.
#define TEST_ITEM_EDIT_SLOTS(X)                                                            \
    X(3, LoadTestItems, int32_t, BSTR, int32_t, int32_t, int32_t, int32_t)                 \
    X(4, GetReportSection, std::string)                                                    \
    X(5, GetSettingText, void, BSTR*)                                                      \
    X(6, GetCommonParameterText, void, BSTR*)                                              \
    X(7, GetBinaryText, void, BSTR*)                                                       \
    X(8, GetCharacterText, void, BSTR*)                                                    \
    X(9, GetTestItemsText, std::string)                                                    \
    X(10, Reserved10, void, int32_t, int32_t, int32_t)                                     \
    X(11, GetBinaryTable, int32_t, BSTR(*)[6], BSTR*)                                      \
    X(12, GetSettingTable, int32_t, BSTR(*)[9], BSTR*)                                     \
    X(13, GetCommonParameterTable, int32_t, BSTR(*)[9], BSTR*)                             \
    X(14, GetChannelTable, int32_t, int32_t, BSTR*)                                        \
    X(15, Reserved15, std::string)                                                         \
    X(16, SetSettingValues, void, int32_t, BSTR*)                                          \
    X(17, SetCommonParameterValues, void, int32_t, BSTR*)                                  \
    X(18, SetBinaryValues, void, int32_t, BSTR*)                                           \
    X(19, SetChannelTable, void, int32_t, int32_t, BSTR*)                                  \
    X(20, GetItemKind, void, int32_t, BSTR*)                                               \
    X(21, GetOperationData, std::string, int32_t)                                          \
    X(22, SetOperationData, void, BSTR*, int32_t)                                          \
    X(23, GetReportFieldList, std::string)                                                 \
    X(24, SetItemSelect, void, int32_t, int32_t)                                           \
    X(25, GetItemText, void, int32_t, BSTR*)                                               \
    X(26, SetItemText, void, int32_t, BSTR*)                                               \
    X(27, GetTemplate, void, CRelayTemplate**)                                             \
    X(28, GetCurrentItemTitle, void, int32_t, BSTR*)                                       \
    X(29, ApplyEnteredResults, std::string, int32_t)                                       \
    X(30, GetItemTitle, std::string, int32_t)                                              \
    X(31, Reserved31, void, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) \
    X(32, Reserved32, void, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) \
    X(33, Reserved33, void, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) \
    X(34, GetEvaluatedParameters, std::string, int32_t)                                    \
    X(35, Reserved35, std::string)                                                         \
    X(36, Reserved36, void, int32_t)                                                       \
    X(37, Reserved37, void, int32_t)                                                       \
    X(38, Reserved38, std::string, int32_t)                                                \
    X(39, Reserved39, void, int32_t, int32_t)                                              \
    X(40, Reserved40, void, int32_t)                                                       \
    X(41, Reserved41, void, int32_t, int32_t)                                              \
    X(42, Reserved42, void, int32_t)

#define EMBEDDED_PANEL_SLOTS(X)                                                \
    X(3, EnterResultMode, int32_t)                                             \
    X(4, PanelReserved4, int32_t)                                              \
    X(5, GetPanelMode, uint8_t)                                                \
    X(6, DrawResult, void, HWND, int32_t, int32_t, int32_t, int32_t, int32_t)  \
    X(7, PanelReserved7, void)                                                 \
    X(8, PanelReserved8, void)                                                 \
    X(9, CreatePanel, void, HWND, int32_t, int32_t, int32_t, int32_t, int32_t) \
    X(10, DrawParameterTable, void, HWND, int32_t, int32_t, int32_t, int32_t)  \
    X(11, KeypadCommand, void, int32_t)

#define MODULE_INFO_SLOTS(X)                  \
    X(3, Reserved3, void)                     \
    X(4, GetModuleValue, int32_t)             \
    X(5, GetModuleText, BSTR)                 \
    X(6, GetModuleInfo, void, int32_t, BSTR*) \
    X(7, Reserved7, void)                     \
    X(8, Reserved8, int32_t)                  \
    X(9, Reserved9, int32_t)

#define RESULT_REPORT_SLOTS(X)                                                  \
    X(3, GetResultData, BSTR)                                                   \
    X(4, ComposeReport, CReportItem**, int32_t, int32_t*, std::string, int32_t) \
    X(5, Reserved5, BSTR)                                                       \
    X(6, GetValueListAndResults, BSTR, int32_t)

template <typename T>
T Nothing() {
    if constexpr (!std::is_void_v<T>) return T{};
}

// Overrides every method; the overrides fail to compile when a slot's name, arguments or result
// differ, and the class is abstract when an interface has a method the tables lack.
class AllInterfaces : public ITestItemEdit,
                      public IEmbeddedPanel,
                      public IModuleInfo,
                      public IResultReport {
public:
    HRESULT QueryInterface(const IID& iid, void** object) override {
        calls.push_back("QueryInterface");
        return AnswerQuery(iid, object,
                           {{IID_ITestItemEdit, static_cast<ITestItemEdit*>(this)},
                            {IID_IEmbeddedPanel, static_cast<IEmbeddedPanel*>(this)},
                            {IID_IModuleInfo, static_cast<IModuleInfo*>(this)},
                            {IID_IResultReport, static_cast<IResultReport*>(this)}});
    }
    ULONG AddRef() override {
        calls.push_back("AddRef");
        return ++refs;
    }
    ULONG Release() override {
        calls.push_back("Release");
        return --refs;
    }

#define OVERRIDE(slot, name, result, ...) \
    result name(__VA_ARGS__) override {   \
        calls.push_back(#name);           \
        return Nothing<result>();         \
    }
    TEST_ITEM_EDIT_SLOTS(OVERRIDE)
    EMBEDDED_PANEL_SLOTS(OVERRIDE)
    MODULE_INFO_SLOTS(OVERRIDE)
    RESULT_REPORT_SLOTS(OVERRIDE)
#undef OVERRIDE

    std::vector<std::string> calls;
    ULONG refs = 1;
};

// Calls vtable entry slot of the interface at self with default arguments.
template <typename Result, typename... Args>
void CallEntry(void* self, int slot) {
    void** vtable = *static_cast<void***>(self);
    reinterpret_cast<Result (*)(void*, Args...)>(vtable[slot])(self, Args{}...);
}

const IID kUnknownInterface = MakeGuid("{0BADC1A5-0000-4000-8000-000000000002}");

#define EXPECT_SLOT(slot, name, result, ...)                     \
    EXPECT_EQ(slot, static_cast<int>(expected.size())) << #name; \
    CallEntry<result __VA_OPT__(, ) __VA_ARGS__>(self, slot);    \
    expected.push_back(#name);

// Calls entries 0..2 and then every slot of the table through the raw vtable of self; gives the
// names the calls should have reached.
#define CALL_ALL_SLOTS(SLOTS)                                                     \
    [&] {                                                                         \
        std::vector<std::string> expected{"QueryInterface", "AddRef", "Release"}; \
        void* unused = nullptr;                                                   \
        reinterpret_cast<HRESULT (*)(void*, const IID&, void**)>(                 \
            (*static_cast<void***>(self))[0])(self, kUnknownInterface, &unused);  \
        CallEntry<ULONG>(self, 1);                                                \
        CallEntry<ULONG>(self, 2);                                                \
        SLOTS(EXPECT_SLOT)                                                        \
        return expected;                                                          \
    }()

#define EXPECT_ALL_SLOTS(Interface, SLOTS, count)                        \
    {                                                                    \
        AllInterfaces object;                                            \
        void* self = static_cast<Interface*>(&object);                   \
        const std::vector<std::string> expected = CALL_ALL_SLOTS(SLOTS); \
        EXPECT_EQ(expected.size(), 3u + (count));                        \
        EXPECT_EQ(object.calls, expected);                               \
    }

TEST(ComInterfaces, VtableEntryNReachesTheMethodOfSlotN){
    EXPECT_ALL_SLOTS(ITestItemEdit, TEST_ITEM_EDIT_SLOTS, 40)
        EXPECT_ALL_SLOTS(IEmbeddedPanel, EMBEDDED_PANEL_SLOTS, 9)
            EXPECT_ALL_SLOTS(IModuleInfo, MODULE_INFO_SLOTS, 7)
                EXPECT_ALL_SLOTS(IResultReport, RESULT_REPORT_SLOTS, 4)}

TEST(ComInterfaces, ClassAndInterfaceIdentities) {
    EXPECT_EQ(GuidToString(CLSID_QuorinCom), "{20CEF8D1-DE93-473D-A80A-D3D160BCE537}");
    EXPECT_EQ(kQuorinComProgId, "Quorin.QuorinCom");
    EXPECT_EQ(GuidToString(IID_ITestItemEdit), "{582F6658-0B9B-4C25-B976-1A838CE86C4B}");
    EXPECT_EQ(GuidToString(IID_IEmbeddedPanel), "{8D3F40F1-0797-4B05-99FF-B33389B5E409}");
    EXPECT_EQ(GuidToString(IID_IModuleInfo), "{A34466C4-183E-4AD5-9772-D9BEFF3E2864}");
    EXPECT_EQ(GuidToString(IID_IResultReport), "{0647ADDA-EF86-4687-93DE-1EAD7F7A50AA}");
    EXPECT_EQ(kReportItemTableSize, 260);
}

}  // namespace
}  // namespace quorin
