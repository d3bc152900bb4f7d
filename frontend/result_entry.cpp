#include "frontend/result_entry.h"

#include "platform/numtext.h"
#include "template/sequence_text.h"

namespace quorin {

std::map<int, OwnItem> OwnItems(const ComponentHost& host) {
    std::map<int, OwnItem> own;
    const int itemCount = host.ItemCount();
    for (int i = 0; i < itemCount; ++i) {
        if (!host.IsOwnItem(i)) continue;
        OwnItem& item = own[i];
        item.text = host.ItemText(i);
        item.parameters = ItemParameters(item.text);
        item.title = host.Edit()->GetItemTitle(i);
    }
    return own;
}

bool CheckResultTarget(int itemIndex, int k, const std::map<int, OwnItem>& own, int itemCount,
                       std::string* error) {
    const std::string item = FormatInt(itemIndex);
    if (itemIndex < 0 || itemIndex >= itemCount) {
        *error = "item " + item + " does not exist: the sequence has " + FormatInt(itemCount) +
                 (itemCount == 1 ? " item" : " items");
        return false;
    }
    const auto it = own.find(itemIndex);
    if (it == own.end()) {
        *error = "item " + item + " is not one of the component's own items";
        return false;
    }
    const int count = static_cast<int>(it->second.parameters.size());
    if (k < 1 || k > count) {
        *error =
            "item " + item + " has no parameter " + FormatInt(k) + ": it has " + FormatInt(count);
        return false;
    }
    return true;
}

bool CheckResultValue(const ResultEntry& entry, std::string* error) {
    // The file could not keep these: ";" ends the value, the component drops tabs and line
    // breaks when it reads a block, and the end marker would end the block.
    if (entry.value.find_first_of(";\t\r\n") != std::string::npos ||
        entry.value.find(SequenceText::kItemEnd) != std::string::npos) {
        *error = "the result for " + FormatInt(entry.item) + "." + FormatInt(entry.k) +
                 " cannot hold \";\", \"<TestItemEnd>\", a tab or a line break";
        return false;
    }
    return true;
}

bool EnterResults(ComponentHost& host, std::string sequence, const std::map<int, OwnItem>& own,
                  const std::vector<ResultEntry>& entries, std::string* stored,
                  std::string* error) {
    std::map<int, std::string> changed;
    for (const ResultEntry& entry : entries) {
        const auto item = own.find(entry.item);
        if (item == own.end()) continue;
        auto [at, added] = changed.try_emplace(entry.item, item->second.text);
        at->second = ReplaceItemKey(at->second, "VALUE" + FormatInt(entry.k), entry.value);
    }
    for (const auto& [index, text] : changed)
        host.SetItemText(index, text);
    const SequenceText file(std::move(sequence));
    return file.SpliceBlocks(host.Edit()->GetTestItemsText(), stored, error);
}

}  // namespace quorin
