#include "host/sequence_file.h"

#include <algorithm>

namespace quorin {

std::string ReplaceItemBlocks(std::string_view file, std::string_view items) {
    constexpr std::string_view kBegin = "<TestItemBegin>";
    constexpr std::string_view kEnd = "<TestItemEnd>";
    const size_t begin = file.find(kBegin);
    if (begin == std::string_view::npos) return std::string(file).append(items);
    const size_t lastEnd = file.rfind(kEnd);
    const size_t tail = lastEnd == std::string_view::npos || lastEnd < begin
                            ? begin
                            : std::max(begin, lastEnd + kEnd.size());
    std::string out;
    out.reserve(file.size() + items.size());
    out.append(file.substr(0, begin)).append(items).append(file.substr(tail));
    return out;
}

}  // namespace quorin
