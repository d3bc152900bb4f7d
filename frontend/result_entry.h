// Entering results into the component's own items of a loaded sequence, as `quorin results` and
// the Python package do it: the items and their parameters, checks of what is entered, and the
// sequence as it is stored afterwards.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "frontend/component_host.h"

namespace quorin {

// An own item of a loaded sequence as the component wrote it.
struct OwnItem {
    std::string title;  // TESTNAME, ANSI
    std::string text;
    std::vector<ItemParameter> parameters;  // counted as the component counts them
};
// The own items of the sequence loaded into host, by item index.
std::map<int, OwnItem> OwnItems(const ComponentHost& host);

// A result to enter: the ANSI text of VALUEk of item ITEM.
struct ResultEntry {
    int item = 0;
    int k = 0;
    std::string value;
};

// Whether item has a parameter k to enter a result for. False with *error:
//   "item N does not exist: the sequence has C items"
//   "item N is not one of the component's own items"
//   "item N has no parameter K: it has C"
bool CheckResultTarget(int item, int k, const std::map<int, OwnItem>& own, int itemCount,
                       std::string* error);
// Whether the file can keep the value. False with *error
//   "the result for N.K cannot hold \";\", \"<TestItemEnd>\", a tab or a line break"
bool CheckResultValue(const ResultEntry& entry, std::string* error);

// Enters checked entries through SetItemText and gives the sequence as it is stored: sequence
// (the text loaded into host) with the component's block text in place of its blocks, every other
// byte as read. False with *error when the blocks do not splice (SequenceText::SpliceBlocks).
bool EnterResults(ComponentHost& host, std::string sequence, const std::map<int, OwnItem>& own,
                  const std::vector<ResultEntry>& entries, std::string* stored, std::string* error);

}  // namespace quorin
