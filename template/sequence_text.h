// SequenceText: a test sequence cut into the pieces the component reads, and put back together.
// The item blocks are what the component reads and rewrites; every byte outside them (the
// template, the report section, line breaks and comments between blocks, a last block without its
// end marker, blocks past the item capacity) belongs to the host and every join gives it back
// unchanged. Joining without replacements gives the text byte for byte.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorin {

class SequenceText {
public:
    static constexpr std::string_view kItemBegin = "<TestItemBegin>";
    static constexpr std::string_view kItemEnd = "<TestItemEnd>";
    static constexpr std::string_view kReportBegin = "<ReportBegin>";
    static constexpr std::string_view kReportEnd = "<ReportEnd>";
    // The component counts its items in 16 bits; blocks past this many stay outside the blocks.
    static constexpr int kMaxBlocks = 32767;

    // The new inner text of block i for a join, or null to keep the block as read.
    using InnerText = std::function<const std::string*(int block)>;

    SequenceText() = default;
    // Cuts text, never fails: from position 0, the first "<TestItemBegin>" and the first
    // "<TestItemEnd>" after it make a block and the search goes on after that end marker; a begin
    // marker without an end marker after it, or kMaxBlocks blocks, end the blocks.
    explicit SequenceText(std::string text);

    const std::string& Text() const { return text_; }
    int BlockCount() const { return static_cast<int>(blocks_.size()); }
    // Block i with both markers, or only the text between them; "" for i outside the blocks.
    std::string_view Block(int i) const;
    std::string_view Inner(int i) const;
    // The bytes before the first block: the template and, as hosts store sequences, the report
    // section. The whole text when it has no blocks.
    std::string_view TemplateText() const;
    // The bytes after block i up to the next block, or up to the end of the text after the last
    // block; "" for i outside the blocks.
    std::string_view After(int i) const;
    // The text between the first "<ReportBegin>" and the next "<ReportEnd>"; false, *section
    // untouched, when either marker is missing.
    bool ReportSection(std::string_view* section) const;

    // The text with the inner text of every block for which inner gives a text replaced by it;
    // every other byte as read.
    std::string Join(const InnerText& inner = nullptr) const;
    // The blocks alone, in order, without the bytes around them, replaced as by Join: the block
    // text that the component gives back from GetTestItemsText.
    std::string JoinBlocks(const InnerText& inner = nullptr) const;

    // This text with its blocks replaced, block i by block i, by those of blockText (blocks alone,
    // as JoinBlocks and GetTestItemsText give them); every byte outside the blocks stays. False,
    // with *error in English and *out untouched, when blockText does not cut into exactly
    // BlockCount() blocks and nothing else: an item text holding "<TestItemEnd>" would shift every
    // block after it, and such a file would not read back as written.
    bool SpliceBlocks(std::string_view blockText, std::string* out,
                      std::string* error = nullptr) const;

private:
    struct Span {
        size_t begin = 0;  // at the begin marker
        size_t end = 0;    // one past the end marker
    };

    std::string text_;
    std::vector<Span> blocks_;
};

}  // namespace quorin
