// Reads arbitrary bytes as a test sequence and splices the item texts back: every foreign block
// must come back byte for byte and in order, every own block as its written text, and reading the
// spliced text again must give the same items.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "component/test_item_set.h"
#include "template/key_value_list.h"

namespace {

constexpr std::string_view kBegin = "<TestItemBegin>";
constexpr std::string_view kEnd = "<TestItemEnd>";

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

struct RawBlock {
    std::string_view whole;  // markers included
    bool own = false;
};

std::vector<RawBlock> ScanBlocks(std::string_view text) {
    std::vector<RawBlock> blocks;
    size_t position = 0;
    while (blocks.size() < static_cast<size_t>(quorin::CTestItemSet::kMaxItems)) {
        const size_t begin = text.find(kBegin, position);
        if (begin == std::string_view::npos) break;
        const size_t end = text.find(kEnd, begin + kBegin.size());
        if (end == std::string_view::npos) break;
        const std::string_view inner =
            text.substr(begin + kBegin.size(), end - begin - kBegin.size());
        std::string copy;
        for (const char c : inner)
            if (c != '\r' && c != '\n' && c != '\t') copy.push_back(c);
        quorin::CKeyValueList keys(copy, ';');
        blocks.push_back({text.substr(begin, end + kEnd.size() - begin),
                          keys.Lookup("TestComName2") == quorin::kOwnComponentName});
        position = end + kEnd.size();
    }
    return blocks;
}

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
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<RawBlock> blocks = ScanBlocks(text);

    quorin::CTestItemSet set;
    set.ReadBlocks(text);
    Require(set.Count() == static_cast<int>(blocks.size()), "one item per block");
    Require(!set.Bookmark().empty(), "the bookmark is never empty after reading");

    const std::string spliced = set.SpliceItemTexts();
    Require(set.BlockText() == spliced, "the splice becomes the block text");
    size_t cursor = 0;
    bool markerInWrittenText = false;
    for (size_t b = 0; b < blocks.size(); ++b) {
        const quorin::CTestItem& item = *set.Item(static_cast<int>(b));
        Require(item.IsOwn() == blocks[b].own, "own exactly when TestComName2 is the ProgID");
        std::string expected;
        if (item.IsOwn()) {
            const std::string& written = set.ItemText(static_cast<int>(b));
            Require(written.rfind("TestComName2=Quorin.QuorinCom;\r\n", 0) == 0, "own text head");
            markerInWrittenText = markerInWrittenText || written.find(kEnd) != std::string::npos;
            expected.append(kBegin).append(written).append(kEnd);
        } else {
            Require(set.ItemText(static_cast<int>(b)).empty(), "no written text for foreign");
            expected.assign(blocks[b].whole);
        }
        Require(spliced.compare(cursor, expected.size(), expected) == 0, "block in place");
        cursor += expected.size();
    }
    Require(cursor == spliced.size(), "nothing but the blocks");
    Require(set.SpliceItemTexts() == spliced, "a second splice changes nothing");

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
