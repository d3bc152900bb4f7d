// A host's hold on one component object: created the way a test module creates it (the library
// registers itself, the object comes by its ProgID), with the interfaces the reference host
// uses. Without Qt; the Qt host window builds on it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "component/com_interfaces.h"
#include "platform/com/com_ptr.h"

namespace quorin {

class CQuorinClient {
public:
    struct Item {
        int index = 0;
        int kind = 0;       // 12 for the component's own items
        std::string title;  // TESTNAME, ANSI
    };

    // Most items a sequence holds.
    static constexpr int kMaxItems = 50;

    CQuorinClient() = default;
    CQuorinClient(const CQuorinClient&) = delete;
    CQuorinClient& operator=(const CQuorinClient&) = delete;

    // Registers the linked libquorin.so with its DllRegisterServer and creates "Quorin.QuorinCom"
    // with CoCreateInstance; when the class registry cannot be used, takes the object from the
    // library's DllGetClassObject. False, with the reason in *error, when neither works.
    bool Create(std::string* error = nullptr);
    bool Created() const { return static_cast<bool>(edit_); }

    // Null until Create succeeded.
    ITestItemEdit* Edit() const { return edit_.get(); }
    IEmbeddedPanel* Panel() const { return panel_.get(); }
    IResultReport* Report() const { return report_.get(); }

    // LoadTestItems with the sequence bytes (ANSI); english chooses the English captions.
    void Load(std::string_view sequence, bool english);
    // The items of the loaded sequence, in order.
    std::vector<Item> Items() const;
    // IResultReport slot 3: the result data (ANSI).
    std::string ResultData() const;
    // IResultReport slot 6 from item 0: the value list, then the result data (ANSI).
    std::string ValueListAndResults() const;

private:
    ComPtr<ITestItemEdit> edit_;
    ComPtr<IEmbeddedPanel> panel_;
    ComPtr<IResultReport> report_;
};

}  // namespace quorin
