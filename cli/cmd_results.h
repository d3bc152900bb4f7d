// quorin results: reads and enters the results of a sequence's own items without a window.
//   quorin results SEQUENCE
//   quorin results SEQUENCE --set ITEM.K=TEXT ... (-o OUT | --in-place)
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/component_host.h"

namespace CLI {
class App;
}

namespace quorin::cli {

struct ResultsOptions {
    std::string sequencePath;       // "-": standard input
    std::vector<std::string> sets;  // ITEM.K=TEXT, TEXT in UTF-8
    std::string outPath;
    bool inPlace = false;
};

// Without sets or an output, prints for each own item "Item ITEM: TITLE" and, per counted
// parameter, "ITEM.K<TAB>NAME<TAB>VALUE" (a blank VALUE as ""); ITEM is the item's index as the
// component numbers its items, K the parameter number. With them, enters each TEXT as the result
// VALUEk of item ITEM through SetItemText and stores the sequence (the component's block text
// put in place of the blocks, every other byte as read) atomically to OUT or over SEQUENCE, then
// prints "wrote PATH (N bytes)". Returns the exit status; on an error nothing is written and
// "quorin results: <message>" goes to stderr with status 1:
//   "cannot read file 'PATH'", "cannot write PATH"
//   "give -o OUT or --in-place to store the entered results"
//   "give either -o OUT or --in-place, not both"
//   "--in-place needs a SEQUENCE file, not standard input"
//   "--set 'ARG': give ITEM.K=TEXT, for example 0.1=Pass"
//   "item N does not exist: the sequence has C items"
//   "item N is not one of the component's own items"
//   "item N has no parameter K: it has C"
//   "the result for N.K cannot be written in CODEPAGE"
//   "the result for N.K cannot hold \";\", \"<TestItemEnd>\", a tab or a line break"
int RunResults(const ResultsOptions& options);

// An own item of a loaded sequence as the component wrote it. Read before any SetItemText:
// GetItemText rebuilds the texts of all items.
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

void AddResultsCommand(CLI::App& app);

}  // namespace quorin::cli
