// The parts of a stored test sequence that a host keeps and the part it gets back from the
// component: the item blocks lie between the first "<TestItemBegin>" and the last
// "<TestItemEnd>"; the template and report section before them and any text after them are the
// host's and stay byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace quorin {

// file with its item blocks replaced by items (the component's GetTestItemsText). A file
// without "<TestItemBegin>" gets items appended; a file whose last "<TestItemEnd>" lies before
// its first "<TestItemBegin>" keeps everything from that begin marker after items.
std::string ReplaceItemBlocks(std::string_view file, std::string_view items);

}  // namespace quorin
