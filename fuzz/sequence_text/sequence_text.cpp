// Arbitrary bytes cut as a test sequence: joining the pieces unchanged gives the bytes back,
// rewritten blocks leave every byte around them alone, and the blocks alone splice back into
// the text they came from.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "template/sequence_text.h"

namespace {

using quorin::SequenceText;

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

bool SameOutside(const SequenceText& a, const SequenceText& b) {
    if (a.BlockCount() != b.BlockCount() || a.TemplateText() != b.TemplateText()) return false;
    for (int i = 0; i < a.BlockCount(); ++i)
        if (a.After(i) != b.After(i)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SequenceText sequence(text);
    Require(sequence.Join() == text, "split then join is the identity");

    std::string pieces(sequence.TemplateText());
    std::string blocks;
    for (int i = 0; i < sequence.BlockCount(); ++i) {
        const std::string_view block = sequence.Block(i);
        Require(block.substr(0, SequenceText::kItemBegin.size()) == SequenceText::kItemBegin &&
                    block.substr(block.size() - SequenceText::kItemEnd.size()) ==
                        SequenceText::kItemEnd,
                "a block runs from its begin marker to its end marker");
        Require(sequence.Inner(i).find(SequenceText::kItemEnd) == std::string_view::npos,
                "a block ends at the first end marker");
        Require(i == 0 ||
                    sequence.After(i - 1).find(SequenceText::kItemBegin) == std::string_view::npos,
                "no begin marker between two blocks");
        pieces.append(block).append(sequence.After(i));
        blocks.append(block);
    }
    Require(pieces == text, "the pieces are the text");
    Require(sequence.JoinBlocks() == blocks, "the blocks alone");

    std::string spliced;
    Require(sequence.SpliceBlocks(blocks, &spliced) && spliced == text,
            "the blocks alone splice back into their text");

    // Every block rewritten: the bytes around the blocks stay, and so do the blocks' places.
    const std::string rewritten = "TestComName2=Quorin.QuorinCom;\r\n\tVALUE1=1;\r\n";
    const SequenceText::InnerText all = [&](int) { return &rewritten; };
    const SequenceText joined(sequence.Join(all));
    Require(SameOutside(joined, sequence), "rewritten blocks leave the rest alone");
    Require(sequence.SpliceBlocks(sequence.JoinBlocks(all), &spliced) && spliced == joined.Text(),
            "rewritten blocks splice in as a join puts them");
    return 0;
}
