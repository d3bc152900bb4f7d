// The test items of one test sequence as the component object keeps them: the items in input
// order, the block text they were read from, the blocks' key texts, the written text of every own
// item and the bookmark. Foreign blocks are carried byte for byte; own blocks are written back
// from their items.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "component/test_item.h"
#include "template/sequence_text.h"

namespace quorin {

class CTestItemSet {
public:
    // The item count is a 16-bit number: reading stops after this many blocks.
    static constexpr int kMaxItems = SequenceText::kMaxBlocks;

    // Replaces the items by the blocks of text: each "<TestItemBegin>" up to the next
    // "<TestItemEnd>" becomes one item (own or foreign), in order; a begin marker without an end
    // marker ends reading and the blocks before it stay. The last item read becomes the current
    // item (none without blocks). The bookmark is kept when set, taken from the first own block
    // with a BOOKMARK otherwise, and is "TEXT" when still empty. Ends with RefreshItems.
    void ReadBlocks(SequenceText sequence);
    void ReadBlocks(const std::string& text) { ReadBlocks(SequenceText(text)); }

    // Derives the refresh fields of every own item, then BuildItemTexts.
    void RefreshItems();

    // Rewrites the item text table: one entry per item, the written text of an own item and ""
    // for a foreign one. Entries set by SetItemText are overwritten.
    void BuildItemTexts();

    // The block text with the content of every own block replaced by its item text table entry
    // and every foreign block as read, in order, without separators. The result also becomes the
    // block text. "" when no blocks were read.
    const std::string& SpliceItemTexts();

    // Sets the item text table entry of index, then splices. An index without an item, or of a
    // foreign item, leaves the result unchanged (foreign blocks always go back as read).
    void SetItemText(int index, std::string text);
    // The item text table entry of index; "" for an index without an item.
    const std::string& ItemText(int index) const;

    // Selects index, sets its SELECT to value, then BuildItemTexts (also without an item).
    void SetSelect(int index, int value);

    // Makes the item at index the current item and returns it. For an index without an item
    // returns nullptr and leaves the current item as it was.
    CTestItem* Select(int index);
    CTestItem* Current() const { return current_; }

    // The host's channel table for index: selects it; channel strings 0..n-1 take channels[0..
    // n-1] (n is channels.size(), at most 21 are taken), then hint, hint select, pause and hint
    // setting. RefreshItems runs also when the index has no item.
    void SetChannelTable(int index, const std::vector<std::string>& channels, std::string hint,
                         int hintSelect, int pause, int hintSetting);

    // The item at index without selecting it; nullptr for an index without an item.
    CTestItem* Item(int index);
    const CTestItem* Item(int index) const;
    std::int16_t Count() const { return count_; }

    const std::string& Bookmark() const { return bookmark_; }
    void SetBookmark(std::string bookmark) { bookmark_ = std::move(bookmark); }

    // All blocks as read (or as last spliced), markers included.
    const std::string& BlockText() const { return blockText_; }
    // The inner text of block index with CR, LF and TAB removed; "" without a block.
    const std::string& BlockCopy(int index) const;

private:
    bool HasItem(int index) const { return index >= 0 && index < count_; }

    std::vector<std::unique_ptr<CTestItem>> items_;
    std::int16_t count_ = 0;
    CTestItem* current_ = nullptr;
    std::vector<std::string> itemTexts_;
    std::vector<std::string> blockCopies_;
    // Splices always start from the blocks as read, never from the text they wrote: a written
    // item text that happens to contain a marker cannot shift the blocks after it.
    SequenceText sequence_;
    std::string blockText_;
    std::string bookmark_;
};

}  // namespace quorin
