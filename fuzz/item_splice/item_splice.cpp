// Reads arbitrary bytes as a test sequence and splices the item texts back: every foreign block
// must come back byte for byte and in order, every own block as its written text, and reading the
// spliced text again must give the same items.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "component/test_item_set.h"
#include "fuzz/fuzz_checks.h"
#include "template/key_value_list.h"

namespace {

using quorin::fuzz::IsOwnBlock;
using quorin::fuzz::Require;

// Key strings that were missing are written with an empty value and so read back as one blank.
bool SameKey(const std::string& first, const std::string& again) {
    return first == again || (first.empty() && again == " ");
}

bool SameItem(const quorin::CTestItem& a, const quorin::CTestItem& b) {
    if (a.ComponentName() != b.ComponentName() || a.Kind() != b.Kind() || a.Hint() != b.Hint() ||
        a.HintSelect() != b.HintSelect() || a.HintSetting() != b.HintSetting() ||
        a.Pause() != b.Pause() || a.Select() != b.Select() || a.TaskType() != b.TaskType() ||
        a.ParameterCount() != b.ParameterCount())
        return false;
    for (int i = 0; i < quorin::CTestItem::kKeyStringCount; ++i)
        if (!SameKey(a.KeyString(i), b.KeyString(i))) return false;
    for (int k = 1; k <= a.ParameterCount(); ++k)
        if (a.Name(k) != b.Name(k) || a.Property(k) != b.Property(k)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const quorin::SequenceText blocks(std::string(reinterpret_cast<const char*>(data), size));

    quorin::CTestItemSet set;
    set.ReadBlocks(blocks);
    Require(set.Count() == blocks.BlockCount(), "one item per block");
    Require(!set.Bookmark().empty(), "the bookmark is never empty after reading");

    const std::string spliced = set.SpliceItemTexts();
    Require(set.BlockText() == spliced, "the splice becomes the block text");
    size_t cursor = 0;
    bool markerInWrittenText = false;
    for (int b = 0; b < blocks.BlockCount(); ++b) {
        const quorin::CTestItem& item = *set.Item(b);
        Require(item.IsOwn() == IsOwnBlock(blocks.Inner(b)),
                "own exactly when TestComName2 is the ProgID");
        std::string expected;
        if (item.IsOwn()) {
            const std::string& written = set.ItemText(b);
            Require(written.rfind("TestComName2=Quorin.QuorinCom;\r\n", 0) == 0, "own text head");
            markerInWrittenText = markerInWrittenText ||
                                  written.find(quorin::SequenceText::kItemEnd) != std::string::npos;
            expected.append(quorin::SequenceText::kItemBegin)
                .append(written)
                .append(quorin::SequenceText::kItemEnd);
        } else {
            Require(set.ItemText(b).empty(), "no written text for foreign");
            expected.assign(blocks.Block(b));
        }
        Require(spliced.compare(cursor, expected.size(), expected) == 0, "block in place");
        cursor += expected.size();
    }
    Require(cursor == spliced.size(), "nothing but the blocks");
    Require(set.SpliceItemTexts() == spliced, "a second splice changes nothing");
    std::string stored;
    Require(blocks.SpliceBlocks(spliced, &stored) == !markerInWrittenText,
            "the splice fits the sequence unless a written text holds the end marker");

    // A value can spell the end marker once line breaks are dropped from the block; written
    // back, that marker ends the block early, so the round trip holds only without it.
    if (markerInWrittenText) return 0;
    quorin::CTestItemSet again;
    again.ReadBlocks(spliced);
    Require(again.Count() == set.Count(), "the spliced text has the same blocks");
    Require(again.Bookmark() == set.Bookmark(), "the bookmark survives");
    for (int i = 0; i < set.Count(); ++i)
        Require(SameItem(*set.Item(i), *again.Item(i)), "the spliced text reads as the same items");

    // After one round every key is present, so a further round is exact.
    const std::string second = again.SpliceItemTexts();
    quorin::CTestItemSet third;
    third.ReadBlocks(second);
    Require(third.SpliceItemTexts() == second, "the written text is a fixed point");
    return 0;
}
