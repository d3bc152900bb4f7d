// The component's COM class and its four custom interfaces. Hosts call them through the vtable,
// so the order of the methods below is the binary interface: method slot n (0..2 are IUnknown's)
// is vtable entry n. Never reorder, insert or remove a method; reserved slots keep later ones in
// place. Method names are unique across the four interfaces, so that one class can implement all
// of them.
//
// Texts: BSTR arguments are converted with the ANSI code page; a "BSTR* out" receives a new
// BSTR owned by the caller; std::string results are ANSI bytes. An index is a 0-based position in
// the item list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/com/bstr.h"
#include "platform/com/unknown.h"

namespace quorin {

class CRelayTemplate;
struct CReportItem;

inline constexpr CLSID CLSID_QuorinCom = MakeGuid("{20CEF8D1-DE93-473D-A80A-D3D160BCE537}");
inline constexpr std::string_view kQuorinComProgId = "Quorin.QuorinCom";

inline constexpr IID IID_ITestItemEdit = MakeGuid("{582F6658-0B9B-4C25-B976-1A838CE86C4B}");
inline constexpr IID IID_IEmbeddedPanel = MakeGuid("{8D3F40F1-0797-4B05-99FF-B33389B5E409}");
inline constexpr IID IID_IModuleInfo = MakeGuid("{A34466C4-183E-4AD5-9772-D9BEFF3E2864}");
inline constexpr IID IID_IResultReport = MakeGuid("{0647ADDA-EF86-4687-93DE-1EAD7F7A50AA}");

// Entries of the report item table that IResultReport::ComposeReport returns.
inline constexpr int kReportItemTableSize = 260;

// Reading, editing and writing back the test sequence: template tables, items, channel tables.
struct ITestItemEdit : IUnknown {
    /* 3 */ virtual int32_t LoadTestItems(BSTR text, int32_t unused1, int32_t unused2,
                                          int32_t english, int32_t unused3) = 0;
    /* 4 */ virtual std::string GetReportSection() = 0;
    /* 5 */ virtual void GetSettingText(BSTR* out) = 0;
    /* 6 */ virtual void GetCommonParameterText(BSTR* out) = 0;
    /* 7 */ virtual void GetBinaryText(BSTR* out) = 0;
    /* 8 */ virtual void GetCharacterText(BSTR* out) = 0;
    /* 9 */ virtual std::string GetTestItemsText() = 0;
    /* 10 */ virtual void Reserved10(int32_t a, int32_t b, int32_t c) = 0;
    // rows[i] receives record i's columns, options the combo-box options; returns the row count.
    /* 11 */ virtual int32_t GetBinaryTable(BSTR (*rows)[6], BSTR* options) = 0;
    /* 12 */ virtual int32_t GetSettingTable(BSTR (*rows)[9], BSTR* options) = 0;
    /* 13 */ virtual int32_t GetCommonParameterTable(BSTR (*rows)[9], BSTR* options) = 0;
    // out has 67 entries; returns 21.
    /* 14 */ virtual int32_t GetChannelTable(int32_t index, BSTR* out) = 0;
    /* 15 */ virtual std::string Reserved15() = 0;
    /* 16 */ virtual void SetSettingValues(int32_t count, BSTR* values) = 0;
    /* 17 */ virtual void SetCommonParameterValues(int32_t count, BSTR* values) = 0;
    /* 18 */ virtual void SetBinaryValues(int32_t count, BSTR* values) = 0;
    // values has n + 4 entries.
    /* 19 */ virtual void SetChannelTable(int32_t index, int32_t n, BSTR* values) = 0;
    /* 20 */ virtual void GetItemKind(int32_t index, BSTR* out) = 0;
    /* 21 */ virtual std::string GetOperationData(int32_t index) = 0;
    /* 22 */ virtual void SetOperationData(BSTR* data, int32_t index) = 0;
    /* 23 */ virtual std::string GetReportFieldList() = 0;
    /* 24 */ virtual void SetItemSelect(int32_t index, int32_t value) = 0;
    // out has 3 entries.
    /* 25 */ virtual void GetItemText(int32_t index, BSTR* out) = 0;
    /* 26 */ virtual void SetItemText(int32_t index, BSTR* text) = 0;
    // The component keeps ownership of the template.
    /* 27 */ virtual void GetTemplate(CRelayTemplate** out) = 0;
    // out has 2 entries.
    /* 28 */ virtual void GetCurrentItemTitle(int32_t unused, BSTR* out) = 0;
    /* 29 */ virtual std::string ApplyEnteredResults(int32_t index) = 0;
    /* 30 */ virtual std::string GetItemTitle(int32_t index) = 0;
    /* 31 */ virtual void Reserved31(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e,
                                     int32_t f, int32_t g) = 0;
    /* 32 */ virtual void Reserved32(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e,
                                     int32_t f, int32_t g) = 0;
    /* 33 */ virtual void Reserved33(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e,
                                     int32_t f, int32_t g) = 0;
    /* 34 */ virtual std::string GetEvaluatedParameters(int32_t index) = 0;
    /* 35 */ virtual std::string Reserved35() = 0;
    /* 36 */ virtual void Reserved36(int32_t a) = 0;
    /* 37 */ virtual void Reserved37(int32_t a) = 0;
    /* 38 */ virtual std::string Reserved38(int32_t a) = 0;
    /* 39 */ virtual void Reserved39(int32_t a, int32_t b) = 0;
    /* 40 */ virtual void Reserved40(int32_t a) = 0;
    /* 41 */ virtual void Reserved41(int32_t a, int32_t b) = 0;
    /* 42 */ virtual void Reserved42(int32_t a) = 0;

protected:
    ~ITestItemEdit() = default;
};

// The result-entry panel inside a host window, and drawings into host windows.
struct IEmbeddedPanel : IUnknown {
    // Panel mode 2; returns 2.
    /* 3 */ virtual int32_t EnterResultMode() = 0;
    // No effect; returns 1.
    /* 4 */ virtual int32_t PanelReserved4() = 0;
    /* 5 */ virtual uint8_t GetPanelMode() = 0;
    /* 6 */ virtual void DrawResult(HWND window, int32_t x, int32_t y, int32_t width,
                                    int32_t height, int32_t index) = 0;
    /* 7 */ virtual void PanelReserved7() = 0;
    /* 8 */ virtual void PanelReserved8() = 0;
    /* 9 */ virtual void CreatePanel(HWND parent, int32_t x, int32_t y, int32_t width,
                                     int32_t height, int32_t index) = 0;
    /* 10 */ virtual void DrawParameterTable(HWND window, int32_t x, int32_t y, int32_t width,
                                             int32_t height) = 0;
    /* 11 */ virtual void KeypadCommand(int32_t command) = 0;

protected:
    ~IEmbeddedPanel() = default;
};

// Fixed facts about the module for the host.
struct IModuleInfo : IUnknown {
    /* 3 */ virtual void Reserved3() = 0;
    /* 4 */ virtual int32_t GetModuleValue() = 0;
    /* 5 */ virtual BSTR GetModuleText() = 0;
    // out has 6 entries.
    /* 6 */ virtual void GetModuleInfo(int32_t code, BSTR* out) = 0;
    /* 7 */ virtual void Reserved7() = 0;
    /* 8 */ virtual int32_t Reserved8() = 0;
    /* 9 */ virtual int32_t Reserved9() = 0;

protected:
    ~IModuleInfo() = default;
};

// Result data and the report table of the items.
struct IResultReport : IUnknown {
    /* 3 */ virtual BSTR GetResultData() = 0;
    // Returns the component's report item table (kReportItemTableSize entries, still owned by
    // the component); *done becomes 1.
    /* 4 */ virtual CReportItem** ComposeReport(int32_t unused, int32_t* done, std::string data,
                                                int32_t chapter) = 0;
    /* 5 */ virtual BSTR Reserved5() = 0;
    /* 6 */ virtual BSTR GetValueListAndResults(int32_t start) = 0;

protected:
    ~IResultReport() = default;
};

}  // namespace quorin
