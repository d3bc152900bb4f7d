#include "template/sequence_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

std::string B(const std::string& inner) {
    return std::string(SequenceText::kItemBegin) + inner + std::string(SequenceText::kItemEnd);
}

// The template text, then "[inner]" and the bytes after it for each block, joined by "|".
std::string Pieces(const SequenceText& sequence) {
    std::string out(sequence.TemplateText());
    for (int i = 0; i < sequence.BlockCount(); ++i)
        out.append("|[").append(sequence.Inner(i)).append("]").append(sequence.After(i));
    return out;
}

TEST(SequenceText, CutsAsTheComponentReadsAndJoinsBackByteForByte) {
    for (const auto& c : test::DataCases("sequence_pieces.txt")) {
        const SequenceText sequence(c.at(0));
        EXPECT_EQ(std::pair(Pieces(sequence), sequence.Join()), std::pair(c.at(1), c[0]));
    }
}

TEST(SequenceText, RewrittenBlocksLeaveEveryOtherByte) {
    const SequenceText sequence("T\r\n" + B("a") + "\r\n; c\r\n" + B("b") + "\r\n");
    const std::string x = "X";
    const SequenceText::InnerText second = [&](int i) { return i == 1 ? &x : nullptr; };
    EXPECT_EQ(sequence.Join(second), "T\r\n" + B("a") + "\r\n; c\r\n" + B("X") + "\r\n");
    EXPECT_EQ(sequence.JoinBlocks(second), B("a") + B("X"));

    for (const auto& c : test::DataCases("sequence_splice.txt")) {
        const std::string& blocks = c.at(0);
        const bool fits = c.at(1) == "1";
        std::string out = "untouched", error;
        EXPECT_EQ(sequence.SpliceBlocks(blocks, &out, &error), fits) << blocks;
        EXPECT_EQ(out, fits ? "T\r\n" + B("P") + "\r\n; c\r\n" + B("Q") + "\r\n" : "untouched");
        EXPECT_EQ(error, fits ? ""
                              : "the item texts do not make up the sequence's 2 item blocks (an "
                                "item text holding \"<TestItemEnd>\" cannot be stored)");
    }
}

TEST(SequenceText, BlocksPastTheItemCapacityStayOutside) {
    std::string text;
    for (int i = 0; i < SequenceText::kMaxBlocks + 2; ++i)
        text += B("");
    const SequenceText sequence(text);
    ASSERT_EQ(sequence.BlockCount(), SequenceText::kMaxBlocks);
    EXPECT_EQ(sequence.After(SequenceText::kMaxBlocks - 1), B("") + B(""));
    EXPECT_EQ(sequence.Join(), text);
}

}  // namespace
}  // namespace quorin
