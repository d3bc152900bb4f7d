// The component as the quorin command and the Python package drive it: created through
// libquorin.so's class factory, as a host creates it, and used only through its four interfaces.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "component/com_interfaces.h"
#include "platform/com/com_ptr.h"
#include "report/report_item.h"

namespace quorin {

class ComponentHost {
public:
    // Creates the component (DllGetClassObject, then the factory's CreateInstance for
    // ITestItemEdit, then IResultReport). False with *error "cannot create the Quorin component
    // (<what failed>, HRESULT 0x<8 hex digits>)" when a step fails.
    bool Create(std::string* error);

    ITestItemEdit* Edit() const { return edit_.get(); }
    IResultReport* Report() const { return report_.get(); }

    // LoadTestItems with the ANSI sequence text and English captions.
    void Load(std::string_view sequence);
    // The component's template (it keeps ownership); null before Create.
    CRelayTemplate* Template() const;

    // Items of the last load: the leading indexes for which GetItemKind answers.
    int ItemCount() const;
    // GetItemKind is 12 for the component's own items.
    bool IsOwnItem(int index) const;
    // The item's written text (GetItemText out[1]): "" for a foreign item or no item.
    std::string ItemText(int index) const;
    // Replaces the item's text (SetItemText); the next GetTestItemsText carries it.
    void SetItemText(int index, std::string_view text);
    // GetEvaluatedParameters split at ";": 60 numbers for an own item, in key order NAME1,
    // VALUE1, PROPERTY1, REQUIRE1, ... REQUIRE15; empty for no item.
    std::vector<std::string> EvaluatedParameters(int index) const;

    // IResultReport::GetResultData as ANSI text.
    std::string ResultData() const;
    // IResultReport::ComposeReport under the chapter number: copies of the non-null entries of
    // the component's report item table, in table order.
    std::vector<CReportItem> ComposeReportItems(int chapter) const;

private:
    ComPtr<ITestItemEdit> edit_;
    ComPtr<IResultReport> report_;
};

// The parameters of an own item's text (its keys NAMEk, VALUEk, REQUIREk), as a tester sees them.
struct ItemParameter {
    int number = 0;  // k, 1..15
    std::string name, value, require;
};
// Named parameters up to the first NAMEk that is empty or a single blank, as the component counts
// them. Keys are read as the component reads item blocks (CR, LF and TAB removed, then
// key=value pairs split at ";").
std::vector<ItemParameter> ItemParameters(std::string_view itemText);

// The item text with the value of "\t<key>=...;" replaced; the text unchanged when the key is
// not there.
std::string ReplaceItemKey(std::string_view itemText, std::string_view key, std::string_view value);

}  // namespace quorin
