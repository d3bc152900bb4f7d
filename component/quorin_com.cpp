#include "component/quorin_com.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "component/host_notice.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/report_item.h"
#include "template/name_sections.h"
#include "template/relay_template.h"

namespace quorin {
namespace {

// The markers around a part of the operation data.
struct DataPart {
    std::string_view begin, end;
};
constexpr DataPart kOperationPart{"<OperationDataBegin>", "<OperationDataEnd>"};
constexpr DataPart kItemDataPart{"<ItemDataBegin>", "<ItemDataEnd>"};

void Put(BSTR* out, std::string_view ansi) {
    if (out) *out = AnsiToBstr(ansi);
}

std::string Ansi(BSTR text) {
    return BstrToAnsi(text);
}

// The text between the part's first begin marker and the next end marker; false when either
// is missing.
bool Between(std::string_view text, const DataPart& part, std::string_view* inner) {
    const size_t b = text.find(part.begin);
    if (b == std::string_view::npos) return false;
    const size_t start = b + part.begin.size();
    const size_t e = text.find(part.end, start);
    if (e == std::string_view::npos) return false;
    *inner = text.substr(start, e - start);
    return true;
}

// The value of key (written with its "=") in an operation part: from after the key to the next
// ";"; "" when the key is missing.
std::string_view OperationValue(std::string_view part, std::string_view key) {
    const size_t k = part.find(key);
    if (k == std::string_view::npos) return {};
    const size_t start = k + key.size();
    const size_t end = part.find(';', start);
    return part.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string NoBlanks(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (c != ' ') out.push_back(c);
    return out;
}

// Runs body; a failure to allocate (the only exception the work can raise) must not cross the
// binary interface, so it ends the call with fallback.
template <typename Result, typename Body>
Result Guarded(Result fallback, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

template <typename Body>
void Guarded(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

PanelViewFactory& ViewFactory() {
    static PanelViewFactory factory = nullptr;
    return factory;
}

}  // namespace

PanelViewFactory SetPanelViewFactory(PanelViewFactory factory) {
    return std::exchange(ViewFactory(), factory);
}

ServerModule& QuorinServerModule() {
    static ServerModule module;
    return module;
}

HRESULT GetQuorinClassObject(const CLSID& clsid, const IID& iid, void** object) {
    return ServeClassObject<CQuorinCom>(QuorinServerModule(), CLSID_QuorinCom, clsid, iid, object);
}

CQuorinCom::CQuorinCom()
    : lock_(QuorinServerModule()), template_(std::make_unique<CRelayTemplate>()) {}

CQuorinCom::~CQuorinCom() {
    // The view may still point at the page; it goes first.
    view_.reset();
}

HRESULT CQuorinCom::QueryInterface(const IID& iid, void** object) {
    return AnswerQuery(iid, object,
                       {{IID_ITestItemEdit, static_cast<ITestItemEdit*>(this)},
                        {IID_IEmbeddedPanel, static_cast<IEmbeddedPanel*>(this)},
                        {IID_IModuleInfo, static_cast<IModuleInfo*>(this)},
                        {IID_IResultReport, static_cast<IResultReport*>(this)}});
}

ULONG CQuorinCom::AddRef() {
    return refs_.Add();
}

ULONG CQuorinCom::Release() {
    return refs_.Release(this);
}

// ---- ITestItemEdit ----

int32_t CQuorinCom::LoadTestItems(BSTR text, int32_t, int32_t, int32_t english, int32_t) {
    return Guarded<int32_t>(1, [&]() -> int32_t {
        SequenceText sequence(Ansi(text));
        std::string_view section;
        if (sequence.ReportSection(&section)) reportSection_ = section;
        captionFile_.SetPath(ProgramFolder() + "cfg/" +
                             (english ? "BurstComEN.ini" : "BurstComCH.ini"));
        template_->ReadTemplate(sequence.Text(), 0);
        // The item set keeps the text (the host text) with its blocks.
        items_.ReadBlocks(std::move(sequence));
        // Entries belong to the items just replaced.
        pageItem_ = -1;
        keptEntries_.clear();
        return 1;
    });
}

std::string CQuorinCom::GetReportSection() {
    return Guarded<std::string>(std::string(), [&]() -> std::string {
        std::string out(SequenceText::kReportBegin);
        out.append("\r\n").append(reportSection_).append("\r\n").append(SequenceText::kReportEnd);
        return out;
    });
}

void CQuorinCom::GetSettingText(BSTR* out) {
    Guarded([&] {
        if (out) Put(out, template_->WriteSettings(0));
    });
}

void CQuorinCom::GetCommonParameterText(BSTR* out) {
    Guarded([&] {
        if (out) Put(out, template_->WriteCommonParameters(0));
    });
}

void CQuorinCom::GetBinaryText(BSTR* out) {
    Guarded([&] { Put(out, template_->WriteBinaryInputs()); });
}

void CQuorinCom::GetCharacterText(BSTR* out) {
    Guarded([&] { Put(out, template_->WriteCharacter()); });
}

std::string CQuorinCom::GetTestItemsText() {
    return Guarded<std::string>(std::string(),
                                [&]() -> std::string { return items_.SpliceItemTexts(); });
}

void CQuorinCom::Reserved10(int32_t, int32_t, int32_t) {}

template <size_t Cols>
int32_t CQuorinCom::FillTable(ParamKind kind, BSTR (*rows)[Cols], BSTR* options) {
    const CRelayTemplate& t = *template_;
    const int count = t.Count(kind);
    if (rows) {
        for (int i = 0; i < count; ++i) {
            BSTR* row = rows[i];
            const std::string& type = t.Type(kind, i);
            const int decimals = t.Decimals(kind, i);
            const float value = t.Value(kind, i);
            const std::string valueText = (type == "Edit" && decimals > 0)
                                              ? FormatFixed(value, decimals)
                                              : FormatInt(TruncateToInt(value));
            row[0] = AnsiToBstr(t.Name(kind, i));
            row[1] = AnsiToBstr(valueText);
            row[2] = AnsiToBstr(t.Unit(kind, i));
            row[3] = AnsiToBstr(t.Id(kind, i));
            row[4] = AnsiToBstr(type);
            row[5] = AnsiToBstr(FormatInt(decimals));
            if constexpr (Cols == 9) {
                row[6] = AnsiToBstr(t.Re(kind, i));
                row[7] = AnsiToBstr(t.Rt(kind, i));
                row[8] = AnsiToBstr(t.Rn(kind, i));
            }
        }
    }
    if (options) {
        int combos = 0;
        size_t next = 1;
        for (int i = 0; i < count; ++i) {
            if (t.Type(kind, i) != "ComboBox") continue;
            ++combos;
            const int choices = t.ChoiceCount(kind, i);
            options[next++] = AnsiToBstr(FormatInt(i));
            options[next++] = AnsiToBstr(FormatInt(choices));
            for (int c = 0; c < choices; ++c)
                options[next++] = AnsiToBstr(t.Choice(kind, i, c));
        }
        options[0] = AnsiToBstr(FormatInt(combos));
    }
    return count;
}

int32_t CQuorinCom::GetBinaryTable(BSTR (*rows)[6], BSTR* options) {
    return Guarded<int32_t>(
        0, [&]() -> int32_t { return FillTable(ParamKind::kBinaryInput, rows, options); });
}

int32_t CQuorinCom::GetSettingTable(BSTR (*rows)[9], BSTR* options) {
    return Guarded<int32_t>(
        0, [&]() -> int32_t { return FillTable(ParamKind::kSetting, rows, options); });
}

int32_t CQuorinCom::GetCommonParameterTable(BSTR (*rows)[9], BSTR* options) {
    return Guarded<int32_t>(
        0, [&]() -> int32_t { return FillTable(ParamKind::kCommonParameter, rows, options); });
}

int32_t CQuorinCom::GetChannelTable(int32_t index, BSTR* out) {
    static constexpr std::array<const char*, kChannelLabelCount> kChannelLabels = {
        "Ua", "Ub", "Uc", "Uz", "Un", "Ia", "Ib", "Ic", "In", "A", "B",
        "C",  "D",  "E",  "F",  "G",  "H",  "1",  "2",  "3",  "4"};
    Guarded([&] {
        for (int c = 0; c < kChannelLabelCount; ++c)
            channelLabels_[c] = kChannelLabels[c];
        const CTestItem* item = items_.Select(index);
        if (!item || !out) return;
        for (int c = 0; c < CTestItem::kChannelCount; ++c) {
            out[3 * c] = AnsiToBstr(channelLabels_[c]);
            out[3 * c + 1] = AnsiToBstr(item->Channel(c));
            out[3 * c + 2] = AnsiToBstr(item->ChannelUsed(c) ? "1" : "0");
        }
        out[63] = AnsiToBstr(item->Hint());
        out[64] = AnsiToBstr(FormatInt(item->HintSelect()));
        out[65] = AnsiToBstr(FormatInt(item->Pause()));
        out[66] = AnsiToBstr(FormatInt(item->HintSetting()));
    });
    return kChannelLabelCount;
}

std::string CQuorinCom::Reserved15() {
    return std::string();
}

void CQuorinCom::SetValues(ParamKind kind, int32_t count, BSTR* values) {
    Guarded([&] {
        CRelayTemplate& t = *template_;
        const int n = values ? std::clamp(count, 0, t.Count(kind)) : 0;
        for (int i = 0; i < n; ++i) {
            const std::string text = Ansi(values[i]);
            const bool number = t.Type(kind, i) == "Edit" && t.Decimals(kind, i) != 0;
            const double value = number ? CAtof(text) : static_cast<double>(CAtoi(text));
            t.SetValue(kind, i, static_cast<float>(value));
        }
        items_.RefreshItems();
    });
}

void CQuorinCom::SetSettingValues(int32_t count, BSTR* values) {
    SetValues(ParamKind::kSetting, count, values);
}

void CQuorinCom::SetCommonParameterValues(int32_t count, BSTR* values) {
    SetValues(ParamKind::kCommonParameter, count, values);
}

void CQuorinCom::SetBinaryValues(int32_t count, BSTR* values) {
    SetValues(ParamKind::kBinaryInput, count, values);
}

void CQuorinCom::SetChannelTable(int32_t index, int32_t n, BSTR* values) {
    Guarded([&] {
        if (!values) {
            items_.Select(index);
            items_.RefreshItems();
            return;
        }
        const int channels = std::clamp(n, 0, CTestItem::kChannelCount);
        std::vector<std::string> texts;
        texts.reserve(channels);
        for (int c = 0; c < channels; ++c)
            texts.push_back(Ansi(values[c]));
        items_.SetChannelTable(index, texts, Ansi(values[channels]),
                               CAtoi(Ansi(values[channels + 1])), CAtoi(Ansi(values[channels + 2])),
                               CAtoi(Ansi(values[channels + 3])));
    });
}

void CQuorinCom::GetItemKind(int32_t index, BSTR* out) {
    Guarded([&] {
        if (const CTestItem* item = items_.Select(index)) Put(out, FormatInt(item->Kind()));
    });
}

std::string CQuorinCom::GetOperationData(int32_t index) {
    return Guarded<std::string>(std::string(), [&]() -> std::string {
        std::string out(kOperationPart.begin);
        out += CFormat("PR=%d;PX=%d;RateR=%.3f;RateX=%.3f;RateZ=%.3f;RateT=%.3f;", pr_, px_,
                       static_cast<double>(rateR_), static_cast<double>(rateX_),
                       static_cast<double>(rateZ_), static_cast<double>(rateT_));
        out.append(kOperationPart.end);
        if (items_.Select(index)) out.append(kItemDataPart.begin).append(kItemDataPart.end);
        return out;
    });
}

void CQuorinCom::SetOperationData(BSTR* data, int32_t index) {
    Guarded([&] {
        const std::string text = data ? Ansi(*data) : std::string();
        std::string_view part;
        if (!Between(text, kOperationPart, &part)) part = {};
        pr_ = CAtoi(OperationValue(part, "PR="));
        px_ = CAtoi(OperationValue(part, "PX="));
        rateR_ = static_cast<float>(CAtof(OperationValue(part, "RateR=")));
        rateX_ = static_cast<float>(CAtof(OperationValue(part, "RateX=")));
        rateZ_ = static_cast<float>(CAtof(OperationValue(part, "RateZ=")));
        rateT_ = static_cast<float>(CAtof(OperationValue(part, "RateT=")));
        if (const CTestItem* item = items_.Select(index)) {
            // The item data part is the host's; the component keeps nothing of it.
            if (item->ComponentName() == kOwnComponentName && panelMode_ < 2) {
                if (item->Kind() < 1) {
                    noticeText_.clear();
                    NotifyHost(kOperationNoticeCode);
                } else {
                    resultData_ = BuildResultData(0);
                }
            }
        }
        resultData_ = BuildResultData(0);
    });
}

std::string CQuorinCom::GetReportFieldList() {
    return Guarded<std::string>(std::string(), [&]() -> std::string {
        reportFieldList_.clear();
        const std::string& bookmark = items_.Bookmark();
        for (int i = 0; i < items_.Count(); ++i) {
            const CTestItem* item = items_.Item(i);
            for (int r = 1; r < template_->ReportCount(); ++r) {
                const std::string& id = template_->ReportId(r);
                for (int k = 1; k <= CTestItem::kParameterCount; ++k) {
                    const std::string& name = item->KeyString(CTestItem::NameIndex(k));
                    if (name.empty()) continue;
                    reportFieldList_.append(name).append(":").append(bookmark).append("_");
                    reportFieldList_.append(FormatInt(k)).append("_").append(id).append(";\r\n");
                }
            }
        }
        return reportFieldList_;
    });
}

void CQuorinCom::SetItemSelect(int32_t index, int32_t value) {
    items_.SetSelect(index, value);
}

void CQuorinCom::GetItemText(int32_t index, BSTR* out) {
    Guarded([&] {
        if (!out) return;
        out[0] = AnsiToBstr("");
        out[1] = AnsiToBstr(items_.ItemText(index));
        out[2] = AnsiToBstr("");
    });
}

void CQuorinCom::SetItemText(int32_t index, BSTR* text) {
    Guarded([&] { items_.SetItemText(index, text ? Ansi(*text) : std::string()); });
}

void CQuorinCom::GetTemplate(CRelayTemplate** out) {
    if (out) *out = template_.get();
}

void CQuorinCom::GetCurrentItemTitle(int32_t, BSTR* out) {
    Guarded([&] {
        if (!out) return;
        const CTestItem* item = items_.Current();
        out[0] = AnsiToBstr(item ? item->TestName() : std::string());
        out[1] = AnsiToBstr("");
    });
}

std::string CQuorinCom::ApplyEnteredResults(int32_t index) {
    return Guarded<std::string>(std::string(), [&]() -> std::string {
        CTestItem* item = items_.Select(index);
        if (!item || !PanelCreated()) return std::string();
        // The rows entered for this item, also while the page shows another one; an item never
        // shown keeps its parameters.
        if (index == pageItem_) {
            page_.ApplyTo(*item);
        } else if (const auto kept = keptEntries_.find(index); kept != keptEntries_.end()) {
            kept->second.WriteTo(*item);
        }
        if (panelMode_ > 1) panelMode_ = static_cast<uint8_t>(page_.Mode());
        // The item's parameter count follows the rows through the refresh, which also writes
        // the item texts again.
        items_.RefreshItems();
        return std::string();
    });
}

std::string CQuorinCom::GetItemTitle(int32_t index) {
    return Guarded<std::string>(std::string(), [&]() -> std::string {
        const CTestItem* item = items_.Select(index);
        return item ? item->TestName() : std::string();
    });
}

void CQuorinCom::Reserved31(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void CQuorinCom::Reserved32(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void CQuorinCom::Reserved33(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}

std::string CQuorinCom::GetEvaluatedParameters(int32_t index) {
    return Guarded<std::string>(std::string(), [&]() -> std::string {
        const CTestItem* item = items_.Select(index);
        if (!item) return std::string();
        std::string out;
        out.reserve(CTestItem::kKeyStringCount * 12);
        for (int i = 1; i < CTestItem::kKeyStringCount; ++i)
            out += CFormat("%.3f;", template_->CalcExpression(item->KeyString(i)));
        return out;
    });
}

std::string CQuorinCom::Reserved35() {
    return std::string();
}
void CQuorinCom::Reserved36(int32_t) {}
void CQuorinCom::Reserved37(int32_t) {}
std::string CQuorinCom::Reserved38(int32_t) {
    return std::string();
}
void CQuorinCom::Reserved39(int32_t, int32_t) {}
void CQuorinCom::Reserved40(int32_t) {}
void CQuorinCom::Reserved41(int32_t, int32_t) {}
void CQuorinCom::Reserved42(int32_t) {}

// ---- IEmbeddedPanel ----

int32_t CQuorinCom::EnterResultMode() {
    panelMode_ = 2;
    page_.SetMode(CPageModel::kModeEnter);
    page_.Refresh();
    if (view_ && PanelCreated()) view_->ShowPage();
    return 2;
}

int32_t CQuorinCom::PanelReserved4() {
    return 1;
}

uint8_t CQuorinCom::GetPanelMode() {
    return panelMode_;
}

void CQuorinCom::DrawResult(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                            int32_t index) {
    Guarded([&] {
        panelParent_ = window;
        drawingMode_ = 0;
        LoadPageFromItem(index);
        const PanelRect rect{x, y, width, height};
        const PanelDrawing drawing = ResultDrawing(page_.RowAt(page_.CurrentRow()), width);
        lastDetail_ = DetailDrawing(page_.RowAt(page_.CurrentRow()), width);
        if (IPanelView* view = EnsureView()) view->Paint(window, rect, drawing);
    });
}

void CQuorinCom::PanelReserved7() {}
void CQuorinCom::PanelReserved8() {}

void CQuorinCom::CreatePanel(HWND parent, int32_t x, int32_t y, int32_t width, int32_t height,
                             int32_t index) {
    Guarded([&] {
        if (PanelCreated() && view_ && view_->Exists()) {
            LoadPageFromItem(index);
            return;
        }
        panelRect_ = {x, y, width, height};
        if (IPanelView* view = EnsureView())
            panelCreated_ = view->Create(parent, panelRect_) ? 1 : 0;
        panelParent_ = parent;
        LoadPageFromItem(index);
        DrawDetailOfShownRow(width);
    });
}

void CQuorinCom::DrawParameterTable(HWND window, int32_t x, int32_t y, int32_t width,
                                    int32_t height) {
    Guarded([&] {
        panelParent_ = window;
        drawingMode_ = 3;
        const std::string nameCaption = captionFile_.GetString("LineRelay", "Name", "");
        const std::string parameterCaption =
            captionFile_.GetString("LineRelay", "TestItemParameter", "");
        const PanelDrawing drawing =
            ParameterDrawing(items_.Current(), nameCaption, parameterCaption, items_.Bookmark(),
                             template_->ReportId(1), width);
        if (IPanelView* view = EnsureView()) view->Paint(window, {x, y, width, height}, drawing);
    });
}

void CQuorinCom::KeypadCommand(int32_t command) {
    if (view_ && PanelCreated()) view_->KeypadCommand(command);
}

void CQuorinCom::LoadPageFromItem(int index) {
    const CTestItem* item = items_.Select(index);
    if (!item || !PanelCreated()) return;
    if (pageItem_ >= 0) keptEntries_[pageItem_] = page_.KeptEntries();
    const auto kept = keptEntries_.find(index);
    page_.LoadFromItem(*item, panelMode_, template_->Update(),
                       kept == keptEntries_.end() ? nullptr : &kept->second);
    if (kept != keptEntries_.end()) keptEntries_.erase(kept);
    pageItem_ = index;
    shownRow_ = page_.CurrentRow();
    if (view_) view_->ShowPage();
    if (drawingMode_ == 0) DrawDetailOfShownRow(panelRect_.width);
}

IPanelView* CQuorinCom::EnsureView() {
    // Made on first need rather than at construction: a host may create the component before
    // its QApplication, and the factory makes no view without one.
    if (!view_) {
        if (PanelViewFactory factory = ViewFactory()) view_ = factory(page_);
    }
    return view_.get();
}

void CQuorinCom::DrawDetailOfShownRow(int width) {
    lastDetail_ = DetailDrawing(page_.RowAt(shownRow_), width);
}

void CQuorinCom::NotifyHost(std::uintptr_t code) {
    SendHostNotice(panelParent_, code, noticeText_);
}

// ---- IModuleInfo ----

void CQuorinCom::Reserved3() {}

int32_t CQuorinCom::GetModuleValue() {
    return moduleValue_;
}

BSTR CQuorinCom::GetModuleText() {
    return Guarded<BSTR>(nullptr, [] { return AnsiToBstr(""); });
}

void CQuorinCom::GetModuleInfo(int32_t code, BSTR* out) {
    moduleCode_ = static_cast<int16_t>(code);
    Guarded([&] {
        if (!out) return;
        out[0] = AnsiToBstr("0");
        out[1] = AnsiToBstr("32");
        out[2] = AnsiToBstr("32897");
        out[3] = AnsiToBstr("32897");
        out[4] = AnsiToBstr("");
        out[5] = AnsiToBstr("");
    });
}

void CQuorinCom::Reserved7() {}

int32_t CQuorinCom::Reserved8() {
    return 0;
}

int32_t CQuorinCom::Reserved9() {
    return 0;
}

// ---- IResultReport ----

BSTR CQuorinCom::GetResultData() {
    return Guarded<BSTR>(nullptr, [&]() -> BSTR { return AnsiToBstr(BuildResultData(0)); });
}

void CQuorinCom::ClearReportItems() {
    reportItems_.fill(nullptr);
    ownedReportItems_.clear();
}

CReportItem** CQuorinCom::ComposeReport(int32_t, int32_t* done, std::string data, int32_t chapter) {
    // Column widths in report units (the page text is 840 wide).
    constexpr int kNameColumnWidth = 200;
    constexpr int kMethodColumnWidth = 400;
    constexpr int kMeasureColumnWidth = 200;
    return Guarded<CReportItem**>(reportItems_.data(), [&]() -> CReportItem** {
        if (resultData_.empty()) resultData_ = std::move(data);
        ClearReportItems();
        auto item = std::make_unique<CReportItem>();
        item->title = CFormat("%lld.  %s - %s", static_cast<long long>(chapter) + 1, "Test Object",
                              template_->ProtectiveRelayName().c_str());
        CReportTable table(0, 3);
        table.title = "Manual Test Items";
        CReportColumn names(0, 0, kNameColumnWidth);
        CReportColumn methods(0, 1, kMethodColumnWidth);
        CReportColumn measures(0, 2, kMeasureColumnWidth);
        names.AddCell("Name");
        methods.AddCell("Testing Method");
        measures.AddCell("Measure");
        for (int i = 0; i < items_.Count(); ++i) {
            const CTestItem* testItem = items_.Item(i);
            for (int k = 1; k <= CTestItem::kParameterCount; ++k) {
                const std::string& name = testItem->KeyString(CTestItem::NameIndex(k));
                if (NoBlanks(name).empty()) break;
                names.AddCell(name);
                methods.AddCell(testItem->KeyString(CTestItem::RequireIndex(k)));
                measures.AddCell(testItem->KeyString(CTestItem::ValueIndex(k)));
            }
        }
        const int rows = static_cast<int>(names.cells.size());
        for (CReportColumn* column : {&names, &methods, &measures})
            column->rowCount = rows;
        table.rowCount = rows;
        table.AddColumn(std::move(names));
        table.AddColumn(std::move(methods));
        table.AddColumn(std::move(measures));
        item->tables.push_back(std::move(table));
        reportItems_[0] = item.get();
        ownedReportItems_.push_back(std::move(item));
        if (done) *done = 1;
        return reportItems_.data();
    });
}

BSTR CQuorinCom::Reserved5() {
    return AnsiToBstr("");
}

BSTR CQuorinCom::GetValueListAndResults(int32_t start) {
    return Guarded<BSTR>(nullptr, [&]() -> BSTR {
        std::string text;
        if (start == 0) text = WriteValueList(*template_, items_.Bookmark());
        text += BuildResultData(start);
        return AnsiToBstr(text);
    });
}

std::string CQuorinCom::BuildResultData(int start) const {
    std::string out;
    const std::string& bookmark = items_.Bookmark();
    const std::string& first = template_->ReportId(0);
    const std::string& second = template_->ReportId(1);
    for (int i = std::max(start, 0); i < items_.Count(); ++i) {
        const CTestItem* item = items_.Item(i);
        if (!item->IsOwn()) continue;
        for (int k = 1; k <= item->ParameterCount(); ++k) {
            std::string tag = bookmark;
            tag.append("_").append(FormatInt(k)).append("_");
            out.append(tag).append(first).append("=").append(item->Name(k)).append(";");
            out.append(tag).append(second).append("=").append(item->Value(k)).append(";");
        }
    }
    return out;
}

}  // namespace quorin
