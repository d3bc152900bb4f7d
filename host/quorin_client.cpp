#include "host/quorin_client.h"

#include "platform/com/activation.h"
#include "platform/com/bstr.h"
#include "platform/com/server.h"
#include "platform/numtext.h"

namespace quorin {

bool CQuorinClient::Create(std::string* error) {
    if (Created()) return true;
    DllRegisterServer();
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(kQuorinComProgId, &clsid);
    if (hr == S_OK)
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITestItemEdit, edit_.out());
    if (hr != S_OK) {
        // An unwritable or foreign registry must not keep the host from its own library.
        const std::string why = ActivationErrorText();
        ComPtr<IClassFactory> factory;
        if (DllGetClassObject(CLSID_QuorinCom, IID_IClassFactory, factory.out()) != S_OK ||
            factory->CreateInstance(nullptr, IID_ITestItemEdit, edit_.out()) != S_OK) {
            if (error) *error = "cannot create Quorin.QuorinCom: " + why;
            edit_.reset();
            return false;
        }
    }
    edit_.As(IID_IEmbeddedPanel, &panel_);
    edit_.As(IID_IResultReport, &report_);
    if (!panel_ || !report_) {
        if (error) *error = "Quorin.QuorinCom lacks its panel or report interface";
        edit_.reset();
        panel_.reset();
        report_.reset();
        return false;
    }
    return true;
}

void CQuorinClient::Load(std::string_view sequence, bool english) {
    if (!edit_) return;
    OwnedBstr text = OwnedBstr::FromAnsi(sequence);
    edit_->LoadTestItems(text.get(), 0, 0, english ? 1 : 0, 0);
}

std::vector<CQuorinClient::Item> CQuorinClient::Items() const {
    std::vector<Item> items;
    if (!edit_) return items;
    for (int index = 0; index < kMaxItems; ++index) {
        OwnedBstr kind;
        edit_->GetItemKind(index, kind.out());
        // The kind stays untouched past the last item.
        if (!kind.get()) break;
        items.push_back({index, CAtoi(kind.ToAnsi()), edit_->GetItemTitle(index)});
    }
    return items;
}

std::string CQuorinClient::ResultData() const {
    return report_ ? OwnedBstr(report_->GetResultData()).ToAnsi() : std::string();
}

std::string CQuorinClient::ValueListAndResults() const {
    return report_ ? OwnedBstr(report_->GetValueListAndResults(0)).ToAnsi() : std::string();
}

}  // namespace quorin
