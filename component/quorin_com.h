// CQuorinCom: the component object behind the ProgID "Quorin.QuorinCom". It keeps one test
// sequence (template, report section, test items), answers the four interfaces and holds the
// state of the result-entry panel. Hosts reach it only through the interfaces
// (component/com_interfaces.h); the public C++ members below the interfaces serve the module, the
// panel view and tests in the same library.
//
// No method throws: a failure to allocate ends the call with an empty result. Every method
// returns normally whatever its arguments: a null out pointer or array is skipped, a
// null BSTR is the empty text, an index without an item does only what the method states, and
// counts are clamped to the records that exist. Out arrays must have the entries their method
// documents (a table: one row per record of its section, and options for 1 + the sum over its
// combo-box records of 2 + their choice count; the template's capacities always suffice: 600, 100
// and 100 rows, 1 + 22 * rows options). A BSTR written to an out
// parameter is new and owned by the caller; whatever the out parameter held before is not freed
// (COM out parameters carry no value in).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "component/com_interfaces.h"
#include "component/page_model.h"
#include "component/panel_drawing.h"
#include "component/panel_view.h"
#include "component/test_item_set.h"
#include "platform/com/server.h"
#include "platform/ini_file.h"

namespace quorin {

struct CReportItem;
class CRelayTemplate;
enum class ParamKind;

// The count of live component objects, class factories and LockServer locks of this library.
ServerModule& QuorinServerModule();

// DllGetClassObject of the component: a class factory for CLSID_QuorinCom asked for iid.
HRESULT GetQuorinClassObject(const CLSID& clsid, const IID& iid, void** object);

class CQuorinCom final : public ITestItemEdit,
                         public IEmbeddedPanel,
                         public IModuleInfo,
                         public IResultReport {
public:
    static constexpr int kChannelLabelCount = 21;
    static constexpr int kChannelTableSize = 67;
    static constexpr std::uintptr_t kOperationNoticeCode = 0xFF0000;

    // Starts with one reference (the creator's), the template and an empty item list. The panel
    // view comes from the registered factory when the host first asks for the panel or a drawing.
    CQuorinCom();
    CQuorinCom(const CQuorinCom&) = delete;
    CQuorinCom& operator=(const CQuorinCom&) = delete;

    // IUnknown, shared by the four interfaces; IUnknown itself is the ITestItemEdit part.
    HRESULT QueryInterface(const IID& iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // ITestItemEdit
    int32_t LoadTestItems(BSTR text, int32_t unused1, int32_t unused2, int32_t english,
                          int32_t unused3) override;
    std::string GetReportSection() override;
    void GetSettingText(BSTR* out) override;
    void GetCommonParameterText(BSTR* out) override;
    void GetBinaryText(BSTR* out) override;
    void GetCharacterText(BSTR* out) override;
    std::string GetTestItemsText() override;
    void Reserved10(int32_t a, int32_t b, int32_t c) override;
    int32_t GetBinaryTable(BSTR (*rows)[6], BSTR* options) override;
    int32_t GetSettingTable(BSTR (*rows)[9], BSTR* options) override;
    int32_t GetCommonParameterTable(BSTR (*rows)[9], BSTR* options) override;
    int32_t GetChannelTable(int32_t index, BSTR* out) override;
    std::string Reserved15() override;
    void SetSettingValues(int32_t count, BSTR* values) override;
    void SetCommonParameterValues(int32_t count, BSTR* values) override;
    void SetBinaryValues(int32_t count, BSTR* values) override;
    void SetChannelTable(int32_t index, int32_t n, BSTR* values) override;
    void GetItemKind(int32_t index, BSTR* out) override;
    std::string GetOperationData(int32_t index) override;
    void SetOperationData(BSTR* data, int32_t index) override;
    std::string GetReportFieldList() override;
    void SetItemSelect(int32_t index, int32_t value) override;
    void GetItemText(int32_t index, BSTR* out) override;
    void SetItemText(int32_t index, BSTR* text) override;
    void GetTemplate(CRelayTemplate** out) override;
    void GetCurrentItemTitle(int32_t unused, BSTR* out) override;
    std::string ApplyEnteredResults(int32_t index) override;
    std::string GetItemTitle(int32_t index) override;
    void Reserved31(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override;
    void Reserved32(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override;
    void Reserved33(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override;
    std::string GetEvaluatedParameters(int32_t index) override;
    std::string Reserved35() override;
    void Reserved36(int32_t a) override;
    void Reserved37(int32_t a) override;
    std::string Reserved38(int32_t a) override;
    void Reserved39(int32_t a, int32_t b) override;
    void Reserved40(int32_t a) override;
    void Reserved41(int32_t a, int32_t b) override;
    void Reserved42(int32_t a) override;

    // IEmbeddedPanel
    int32_t EnterResultMode() override;
    int32_t PanelReserved4() override;
    uint8_t GetPanelMode() override;
    void DrawResult(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                    int32_t index) override;
    void PanelReserved7() override;
    void PanelReserved8() override;
    void CreatePanel(HWND parent, int32_t x, int32_t y, int32_t width, int32_t height,
                     int32_t index) override;
    void DrawParameterTable(HWND window, int32_t x, int32_t y, int32_t width,
                            int32_t height) override;
    void KeypadCommand(int32_t command) override;

    // IModuleInfo
    void Reserved3() override;
    int32_t GetModuleValue() override;
    BSTR GetModuleText() override;
    void GetModuleInfo(int32_t code, BSTR* out) override;
    void Reserved7() override;
    int32_t Reserved8() override;
    int32_t Reserved9() override;

    // IResultReport
    BSTR GetResultData() override;
    CReportItem** ComposeReport(int32_t unused, int32_t* done, std::string data,
                                int32_t chapter) override;
    BSTR Reserved5() override;
    BSTR GetValueListAndResults(int32_t start) override;

    // ---- Inside the library ----

    // For every own item from list position start on (none when start is past the list; a
    // negative start counts from 0), for each counted parameter k: bookmark_k_ID1=name; and
    // bookmark_k_ID2=VALUEk; with ID1, ID2 the template's first two report identifiers.
    std::string BuildResultData(int start) const;
    // Sends the notice text with code to the panel parent (nothing without one).
    void NotifyHost(std::uintptr_t code);
    // Loads the item at index into the page when the panel exists (LoadPageFromItem). The rows
    // the page showed are kept for their item and come back when it is loaded again.
    void LoadPageFromItem(int index);

    const CPageModel& Page() const { return page_; }
    CPageModel& Page() { return page_; }
    IPanelView* View() const { return view_.get(); }
    bool PanelCreated() const { return panelCreated_ != 0; }
    HWND PanelParent() const { return panelParent_; }
    int ShownRow() const { return shownRow_; }
    int DrawingMode() const { return drawingMode_; }
    // The detail of the shown row as last drawn into the panel's buffer.
    const PanelDrawing& LastDetail() const { return lastDetail_; }
    const std::string& CaptionFilePath() const { return captionFile_.Path(); }
    const std::string& ResultData() const { return resultData_; }
    const std::string& NoticeText() const { return noticeText_; }
    void SetNoticeText(std::string text) { noticeText_ = std::move(text); }
    int16_t ModuleCode() const { return moduleCode_; }
    const std::string& Version() const { return version_; }
    CTestItemSet& Items() { return items_; }
    CRelayTemplate& Template() { return *template_; }

private:
    // Only the last Release deletes the object.
    friend class RefCount;
    ~CQuorinCom();

    template <size_t Cols>
    int32_t FillTable(ParamKind kind, BSTR (*rows)[Cols], BSTR* options);
    void SetValues(ParamKind kind, int32_t count, BSTR* values);
    void DrawDetailOfShownRow(int width);
    void ClearReportItems();
    // The view, made by the registered factory on first need; null while there is none.
    IPanelView* EnsureView();

    ModuleLock lock_;
    RefCount refs_;
    CPageModel page_;
    std::unique_ptr<IPanelView> view_;
    int panelCreated_ = 0;
    int shownRow_ = 1;
    // The item the page shows (-1: none), and the entries of items shown before.
    int pageItem_ = -1;
    std::map<int, CPageModel::Entries> keptEntries_;
    CIniFile captionFile_;
    CTestItemSet items_;
    int32_t moduleValue_ = 0;
    uint8_t panelMode_ = 0;
    int16_t moduleCode_ = 0;
    std::string noticeText_;
    std::string resultData_;
    std::array<std::string, kChannelLabelCount> channelLabels_;
    PanelDrawing lastDetail_;
    PanelRect panelRect_;
    int drawingMode_ = 0;
    HWND panelParent_ = nullptr;
    int32_t pr_ = 0;
    int32_t px_ = 0;
    float rateX_ = 0.0f;
    float rateR_ = 0.0f;
    float rateZ_ = 0.0f;
    float rateT_ = 0.0f;
    std::unique_ptr<CRelayTemplate> template_;
    std::string version_ = "2.00";
    std::array<CReportItem*, kReportItemTableSize> reportItems_{};
    std::vector<std::unique_ptr<CReportItem>> ownedReportItems_;
    std::string reportFieldList_;
    std::string reportSection_;
};

}  // namespace quorin
