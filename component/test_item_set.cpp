#include "component/test_item_set.h"

#include <algorithm>

#include "template/key_value_list.h"

namespace quorin {
namespace {

const std::string kEmpty;

std::string WithoutLineBreaksAndTabs(std::string_view inner) {
    std::string copy;
    copy.reserve(inner.size());
    for (const char c : inner)
        if (c != '\r' && c != '\n' && c != '\t') copy.push_back(c);
    return copy;
}

}  // namespace

void CTestItemSet::ReadBlocks(SequenceText sequence) {
    count_ = 0;
    items_.clear();
    current_ = nullptr;
    blockCopies_.clear();
    sequence_ = std::move(sequence);
    blockText_ = sequence_.JoinBlocks();

    for (; count_ < sequence_.BlockCount(); ++count_) {
        blockCopies_.push_back(WithoutLineBreaksAndTabs(sequence_.Inner(count_)));
        CKeyValueList keys(blockCopies_.back(), ';');
        auto item = std::make_unique<CTestItem>();
        item->Read(keys, bookmark_);
        current_ = item.get();
        items_.push_back(std::move(item));
    }
    if (bookmark_.empty()) bookmark_ = "TEXT";
    RefreshItems();
}

void CTestItemSet::RefreshItems() {
    for (auto& item : items_)
        if (item->IsOwn()) item->Refresh();
    BuildItemTexts();
}

void CTestItemSet::BuildItemTexts() {
    itemTexts_.resize(items_.size());
    for (size_t i = 0; i < items_.size(); ++i)
        itemTexts_[i] = items_[i]->IsOwn() ? items_[i]->WriteText(bookmark_) : std::string();
}

const std::string& CTestItemSet::SpliceItemTexts() {
    blockText_ = sequence_.JoinBlocks([this](int b) -> const std::string* {
        return items_[static_cast<size_t>(b)]->IsOwn() ? &itemTexts_[static_cast<size_t>(b)]
                                                       : nullptr;
    });
    return blockText_;
}

void CTestItemSet::SetItemText(int index, std::string text) {
    if (HasItem(index)) itemTexts_[index] = std::move(text);
    SpliceItemTexts();
}

const std::string& CTestItemSet::ItemText(int index) const {
    return HasItem(index) ? itemTexts_[index] : kEmpty;
}

void CTestItemSet::SetSelect(int index, int value) {
    if (CTestItem* item = Select(index)) item->SetSelect(value);
    BuildItemTexts();
}

CTestItem* CTestItemSet::Select(int index) {
    if (!HasItem(index)) return nullptr;
    current_ = items_[index].get();
    return current_;
}

void CTestItemSet::SetChannelTable(int index, const std::vector<std::string>& channels,
                                   std::string hint, int hintSelect, int pause, int hintSetting) {
    if (CTestItem* item = Select(index)) {
        const int n = static_cast<int>(std::min<size_t>(channels.size(), CTestItem::kChannelCount));
        for (int c = 0; c < n; ++c)
            item->SetChannel(c, channels[c]);
        item->SetHint(std::move(hint));
        item->SetHintSelect(hintSelect);
        item->SetPause(pause);
        item->SetHintSetting(hintSetting);
    }
    RefreshItems();
}

CTestItem* CTestItemSet::Item(int index) {
    return HasItem(index) ? items_[index].get() : nullptr;
}

const CTestItem* CTestItemSet::Item(int index) const {
    return HasItem(index) ? items_[index].get() : nullptr;
}

const std::string& CTestItemSet::BlockCopy(int index) const {
    return HasItem(index) ? blockCopies_[index] : kEmpty;
}

}  // namespace quorin
