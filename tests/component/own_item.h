// Own test items built for tests of the page and the panel.
#pragma once

#include <string>
#include <vector>

#include "component/test_item.h"
#include "platform/numtext.h"

namespace quorin::test {

// An own item titled title whose parameter k is names[k-1] with result results[k-1] (or
// "r<k>"), requirements "q<k>" and property k.
inline CTestItem OwnItem(const std::vector<std::string>& names,
                         const std::vector<std::string>& results = {},
                         const std::string& title = "Check") {
    CTestItem item;
    item.SetKind(CTestItem::kOwnKind);
    item.SetKeyString(0, title);
    for (size_t i = 0; i < names.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        item.SetKeyString(CTestItem::NameIndex(k), names[i]);
        item.SetKeyString(CTestItem::ValueIndex(k),
                          i < results.size() ? results[i] : "r" + FormatInt(k));
        item.SetKeyString(CTestItem::PropertyIndex(k), FormatInt(k));
        item.SetKeyString(CTestItem::RequireIndex(k), "q" + FormatInt(k));
    }
    item.Refresh();
    return item;
}

}  // namespace quorin::test
