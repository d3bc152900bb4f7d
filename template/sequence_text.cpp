#include "template/sequence_text.h"

#include "platform/numtext.h"

namespace quorin {

SequenceText::SequenceText(std::string text) : text_(std::move(text)) {
    // Every search starts past the last block found, so cutting is linear in the text.
    size_t position = 0;
    while (blocks_.size() < static_cast<size_t>(kMaxBlocks)) {
        const size_t begin = text_.find(kItemBegin, position);
        if (begin == std::string::npos) break;
        const size_t end = text_.find(kItemEnd, begin + kItemBegin.size());
        if (end == std::string::npos) break;
        position = end + kItemEnd.size();
        blocks_.push_back({begin, position});
    }
}

std::string_view SequenceText::Block(int i) const {
    if (i < 0 || i >= BlockCount()) return {};
    const Span& span = blocks_[static_cast<size_t>(i)];
    return std::string_view(text_).substr(span.begin, span.end - span.begin);
}

std::string_view SequenceText::Inner(int i) const {
    const std::string_view block = Block(i);
    if (block.empty()) return {};
    return block.substr(kItemBegin.size(), block.size() - kItemBegin.size() - kItemEnd.size());
}

std::string_view SequenceText::TemplateText() const {
    return std::string_view(text_).substr(0, blocks_.empty() ? text_.size() : blocks_[0].begin);
}

std::string_view SequenceText::After(int i) const {
    if (i < 0 || i >= BlockCount()) return {};
    const size_t from = blocks_[static_cast<size_t>(i)].end;
    const size_t to =
        i + 1 < BlockCount() ? blocks_[static_cast<size_t>(i) + 1].begin : text_.size();
    return std::string_view(text_).substr(from, to - from);
}

bool SequenceText::ReportSection(std::string_view* section) const {
    const size_t begin = text_.find(kReportBegin);
    if (begin == std::string::npos) return false;
    const size_t start = begin + kReportBegin.size();
    const size_t end = text_.find(kReportEnd, start);
    if (end == std::string::npos) return false;
    if (section) *section = std::string_view(text_).substr(start, end - start);
    return true;
}

namespace {

// The sequence with blockOf(i, out) appending block i; outside adds the bytes around the blocks.
template <typename BlockOf>
std::string Assemble(const SequenceText& sequence, bool outside, BlockOf&& blockOf) {
    std::string out;
    out.reserve(sequence.Text().size());
    if (outside) out.append(sequence.TemplateText());
    for (int i = 0; i < sequence.BlockCount(); ++i) {
        blockOf(i, out);
        if (outside) out.append(sequence.After(i));
    }
    return out;
}

// Block i with its inner text replaced where inner gives one.
auto Replaced(const SequenceText& sequence, const SequenceText::InnerText& inner) {
    return [&sequence, &inner](int i, std::string& out) {
        const std::string* text = inner ? inner(i) : nullptr;
        if (!text) {
            out.append(sequence.Block(i));
            return;
        }
        out.append(SequenceText::kItemBegin).append(*text).append(SequenceText::kItemEnd);
    };
}

}  // namespace

std::string SequenceText::Join(const InnerText& inner) const {
    return Assemble(*this, true, Replaced(*this, inner));
}

std::string SequenceText::JoinBlocks(const InnerText& inner) const {
    return Assemble(*this, false, Replaced(*this, inner));
}

bool SequenceText::SpliceBlocks(std::string_view blockText, std::string* out,
                                std::string* error) const {
    const SequenceText blocks{std::string(blockText)};
    // Blocks alone leave nothing before, between or after them.
    bool aligned = blocks.BlockCount() == BlockCount() && blocks.TemplateText().empty();
    for (int i = 0; aligned && i < blocks.BlockCount(); ++i)
        aligned = blocks.After(i).empty();
    if (!aligned) {
        if (error)
            *error = CFormat(
                "the item texts do not make up the sequence's %d item blocks (an item text "
                "holding \"<TestItemEnd>\" cannot be stored)",
                BlockCount());
        return false;
    }
    if (out)
        *out =
            Assemble(*this, true, [&](int i, std::string& text) { text.append(blocks.Block(i)); });
    return true;
}

}  // namespace quorin
