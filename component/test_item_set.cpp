#include "component/test_item_set.h"

#include <algorithm>

#include "template/key_value_list.h"

namespace quorin {
namespace {

constexpr std::string_view kBegin = "<TestItemBegin>";
constexpr std::string_view kEnd = "<TestItemEnd>";

const std::string kEmpty;

std::string WithoutLineBreaksAndTabs(std::string_view inner) {
    std::string copy;
    copy.reserve(inner.size());
    for (const char c : inner)
        if (c != '\r' && c != '\n' && c != '\t') copy.push_back(c);
    return copy;
}

}  // namespace

void CTestItemSet::ReadBlocks(const std::string& text) {
    count_ = 0;
    items_.clear();
    current_ = nullptr;
    blockText_.clear();
    blockCopies_.clear();
    blocks_.clear();

    size_t position = 0;
    while (count_ < kMaxItems) {
        const size_t begin = text.find(kBegin, position);
        if (begin == std::string::npos) break;
        const size_t inner = begin + kBegin.size();
        const size_t end = text.find(kEnd, inner);
        if (end == std::string::npos) break;
        const std::string_view innerText(text.data() + inner, end - inner);

        blocks_.push_back({blockText_.size(), kBegin.size() + innerText.size() + kEnd.size()});
        blockText_.append(kBegin).append(innerText).append(kEnd);
        blockCopies_.push_back(WithoutLineBreaksAndTabs(innerText));

        CKeyValueList keys(blockCopies_.back(), ';');
        auto item = std::make_unique<CTestItem>();
        item->Read(keys, bookmark_);
        current_ = item.get();
        items_.push_back(std::move(item));
        ++count_;
        position = end + kEnd.size();
    }
    readText_ = blockText_;
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
    std::string out;
    size_t length = 0;
    for (size_t b = 0; b < blocks_.size(); ++b)
        length += items_[b]->IsOwn() ? kBegin.size() + itemTexts_[b].size() + kEnd.size()
                                     : blocks_[b].size;
    out.reserve(length);
    for (size_t b = 0; b < blocks_.size(); ++b) {
        if (items_[b]->IsOwn()) {
            out.append(kBegin).append(itemTexts_[b]).append(kEnd);
        } else {
            out.append(readText_, blocks_[b].begin, blocks_[b].size);
        }
    }
    blockText_ = std::move(out);
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
