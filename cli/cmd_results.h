// quorin results: reads and enters the results of a sequence's own items without a window.
//   quorin results SEQUENCE
//   quorin results SEQUENCE --set ITEM.K=TEXT ... (-o OUT | --in-place)
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"
#include "frontend/result_entry.h"

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

void AddResultsCommand(CLI::App& app);

}  // namespace quorin::cli
