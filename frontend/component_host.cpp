#include "frontend/component_host.h"

#include <algorithm>

#include "platform/com/bstr.h"
#include "platform/com/server.h"
#include "platform/numtext.h"
#include "template/key_value_list.h"

namespace quorin {
namespace {

std::string CreateError(const char* step, HRESULT hr) {
    return CFormat("cannot create the Quorin component (%s, HRESULT 0x%08X)", step,
                   static_cast<unsigned>(hr));
}

// Item indexes are 16-bit in the component; nothing past that can answer.
constexpr int kMaxItemIndex = 32767;

}  // namespace

bool ComponentHost::Create(std::string* error) {
    ComPtr<IClassFactory> factory;
    HRESULT hr = DllGetClassObject(CLSID_QuorinCom, IID_IClassFactory, factory.out());
    if (FAILED(hr) || !factory) {
        if (error) *error = CreateError("DllGetClassObject", hr);
        return false;
    }
    hr = factory->CreateInstance(nullptr, IID_ITestItemEdit, edit_.out());
    if (FAILED(hr) || !edit_) {
        if (error) *error = CreateError("CreateInstance", hr);
        return false;
    }
    hr = edit_.As(IID_IResultReport, &report_);
    if (FAILED(hr) || !report_) {
        edit_.reset();
        if (error) *error = CreateError("QueryInterface IResultReport", hr);
        return false;
    }
    return true;
}

void ComponentHost::Load(std::string_view sequence) {
    if (!edit_) return;
    OwnedBstr text = OwnedBstr::FromAnsi(sequence);
    edit_->LoadTestItems(text.get(), 0, 0, 1, 0);
}

CRelayTemplate* ComponentHost::Template() const {
    CRelayTemplate* relayTemplate = nullptr;
    if (edit_) edit_->GetTemplate(&relayTemplate);
    return relayTemplate;
}

int ComponentHost::ItemCount() const {
    if (!edit_) return 0;
    int count = 0;
    while (count <= kMaxItemIndex) {
        OwnedBstr kind;
        edit_->GetItemKind(count, kind.out());
        // Without an item the out argument stays untouched: null.
        if (!kind.get()) break;
        ++count;
    }
    return count;
}

bool ComponentHost::IsOwnItem(int index) const {
    if (!edit_) return false;
    OwnedBstr kind;
    edit_->GetItemKind(index, kind.out());
    return kind.get() && kind.ToAnsi() == "12";
}

std::string ComponentHost::ItemText(int index) const {
    if (!edit_) return {};
    BstrArray out(3);
    edit_->GetItemText(index, out.data());
    return out.Ansi(1);
}

void ComponentHost::SetItemText(int index, std::string_view text) {
    if (!edit_) return;
    OwnedBstr bstr = OwnedBstr::FromAnsi(text);
    BSTR in = bstr.get();
    edit_->SetItemText(index, &in);
}

std::vector<std::string> ComponentHost::EvaluatedParameters(int index) const {
    std::vector<std::string> values;
    if (!edit_) return values;
    const std::string text = edit_->GetEvaluatedParameters(index);
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t end = text.find(';', begin);
        if (end == std::string::npos) break;
        values.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return values;
}

std::string ComponentHost::ResultData() const {
    if (!report_) return {};
    OwnedBstr data(report_->GetResultData());
    return data.ToAnsi();
}

std::vector<CReportItem> ComponentHost::ComposeReportItems(int chapter) const {
    std::vector<CReportItem> items;
    if (!report_) return items;
    int32_t done = 0;
    CReportItem** table = report_->ComposeReport(0, &done, std::string(), chapter);
    if (!table) return items;
    for (int i = 0; i < kReportItemTableSize; ++i)
        if (table[i]) items.push_back(*table[i]);
    return items;
}

std::vector<ItemParameter> ItemParameters(std::string_view itemText) {
    std::string flat(itemText);
    flat.erase(std::remove_if(flat.begin(), flat.end(),
                              [](char c) { return c == '\r' || c == '\n' || c == '\t'; }),
               flat.end());
    CKeyValueList keys(flat, ';');
    std::vector<ItemParameter> parameters;
    for (int k = 1; k <= 15; ++k) {
        const std::string number = FormatInt(k);
        ItemParameter p;
        p.number = k;
        p.name = keys.Lookup("NAME" + number);
        if (p.name.empty() || p.name == " ") break;
        p.value = keys.Lookup("VALUE" + number);
        p.require = keys.Lookup("REQUIRE" + number);
        parameters.push_back(std::move(p));
    }
    return parameters;
}

std::string ReplaceItemKey(std::string_view itemText, std::string_view key,
                           std::string_view value) {
    std::string marker = "\t";
    marker.append(key).append("=");
    const size_t at = itemText.find(marker);
    if (at == std::string_view::npos) return std::string(itemText);
    const size_t begin = at + marker.size();
    size_t end = itemText.find(';', begin);
    if (end == std::string_view::npos) end = itemText.size();
    std::string out(itemText.substr(0, begin));
    out.append(value).append(itemText.substr(end));
    return out;
}

}  // namespace quorin
