#include "template/sequence_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    const std::string open(SequenceText::kItemBegin);
    const std::string end(SequenceText::kItemEnd);
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"T only", "T only"},
        {"T\r\n" + B("a") + "\r\n; c\r\n" + B("b") + "tail", "T\r\n|[a]\r\n; c\r\n|[b]tail"},
        {B("") + B(""), "|[]|[]"},
        // A last block without its end marker stays outside the blocks.
        {B("a") + "\r\n" + open + "open", "|[a]\r\n" + open + "open"},
        {open + "open", open + "open"},
        // A begin marker inside a block is its text; a stray end marker is outside text.
        {end + "T" + B("x" + open + "y") + end, end + "T|[x" + open + "y]" + end},
    };
    for (const auto& [text, pieces] : cases) {
        const SequenceText sequence(text);
        EXPECT_EQ(std::pair(Pieces(sequence), sequence.Join()), std::pair(pieces, text));
    }
}

TEST(SequenceText, RewrittenBlocksLeaveEveryOtherByte) {
    const SequenceText sequence("T\r\n" + B("a") + "\r\n; c\r\n" + B("b") + "\r\n");
    const std::string x = "X";
    const SequenceText::InnerText second = [&](int i) { return i == 1 ? &x : nullptr; };
    EXPECT_EQ(sequence.Join(second), "T\r\n" + B("a") + "\r\n; c\r\n" + B("X") + "\r\n");
    EXPECT_EQ(sequence.JoinBlocks(second), B("a") + B("X"));

    // Blocks from elsewhere fit only when they are exactly as many blocks and nothing else.
    const std::pair<std::string, bool> cases[] = {
        {B("P") + B("Q"), true},
        {B("P"), false},
        {B("P") + B("Q") + B("R"), false},
        {B("P") + "\r\n" + B("Q"), false},
        {"x" + B("P") + B("Q"), false},
        {B("P") + B("Q") + "x", false},
        // An item text that holds the end marker cuts short and leaves its rest between blocks.
        {B("P" + B("")) + B("Q"), false},
    };
    for (const auto& [blocks, fits] : cases) {
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
