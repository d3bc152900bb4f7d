#include "cli/cmd_results.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "cli/cmd_template.h"
#include "cli/commands.h"
#include "cli/component_host.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "template/sequence_text.h"

namespace quorin::cli {
namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorin results: %s\n", message.c_str());
    return 1;
}

// A decimal number of at most six digits (no sign); -1 otherwise.
int SmallNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return CAtoi(std::string(digits));
}

bool ParseEntry(const std::string& arg, const std::map<int, OwnItem>& own, int itemCount,
                ResultEntry* entry, std::string* error) {
    const size_t equals = arg.find('=');
    const std::string_view key = std::string_view(arg).substr(0, equals);
    const size_t dot = key.find('.');
    entry->item = dot == std::string_view::npos ? -1 : SmallNumber(key.substr(0, dot));
    entry->k = dot == std::string_view::npos ? -1 : SmallNumber(key.substr(dot + 1));
    if (equals == std::string::npos || entry->item < 0 || entry->k < 0) {
        *error = "--set '" + arg + "': give ITEM.K=TEXT, for example 0.1=Pass";
        return false;
    }
    if (!CheckResultTarget(entry->item, entry->k, own, itemCount, error)) return false;
    if (!Utf8ToAnsiStrict(std::string_view(arg).substr(equals + 1), &entry->value)) {
        *error = "the result for " + FormatInt(entry->item) + "." + FormatInt(entry->k) +
                 " cannot be written in " + AnsiCodePage();
        return false;
    }
    return CheckResultValue(*entry, error);
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

std::string Listing(const std::map<int, OwnItem>& own) {
    std::string out;
    for (const auto& [index, item] : own) {
        out += "Item " + FormatInt(index) + ": " + AnsiToUtf8(item.title) + "\n";
        for (const ItemParameter& p : item.parameters)
            out += FormatInt(index) + "." + FormatInt(p.number) + "\t" + AnsiToUtf8(p.name) + "\t" +
                   (IsBlank(p.value) ? "" : AnsiToUtf8(p.value)) + "\n";
    }
    return out;
}

}  // namespace

std::map<int, OwnItem> OwnItems(const ComponentHost& host) {
    std::map<int, OwnItem> own;
    const int itemCount = host.ItemCount();
    for (int i = 0; i < itemCount; ++i) {
        if (!host.IsOwnItem(i)) continue;
        OwnItem& item = own[i];
        item.text = host.ItemText(i);
        item.parameters = ItemParameters(item.text);
        item.title = host.Edit()->GetItemTitle(i);
    }
    return own;
}

bool CheckResultTarget(int itemIndex, int k, const std::map<int, OwnItem>& own, int itemCount,
                       std::string* error) {
    const std::string item = FormatInt(itemIndex);
    if (itemIndex < 0 || itemIndex >= itemCount) {
        *error = "item " + item + " does not exist: the sequence has " + FormatInt(itemCount) +
                 (itemCount == 1 ? " item" : " items");
        return false;
    }
    const auto it = own.find(itemIndex);
    if (it == own.end()) {
        *error = "item " + item + " is not one of the component's own items";
        return false;
    }
    const int count = static_cast<int>(it->second.parameters.size());
    if (k < 1 || k > count) {
        *error =
            "item " + item + " has no parameter " + FormatInt(k) + ": it has " + FormatInt(count);
        return false;
    }
    return true;
}

bool CheckResultValue(const ResultEntry& entry, std::string* error) {
    // The file could not keep these: ";" ends the value, the component drops tabs and line
    // breaks when it reads a block, and the end marker would end the block.
    if (entry.value.find_first_of(";\t\r\n") != std::string::npos ||
        entry.value.find(SequenceText::kItemEnd) != std::string::npos) {
        *error = "the result for " + FormatInt(entry.item) + "." + FormatInt(entry.k) +
                 " cannot hold \";\", \"<TestItemEnd>\", a tab or a line break";
        return false;
    }
    return true;
}

bool EnterResults(ComponentHost& host, std::string sequence, const std::map<int, OwnItem>& own,
                  const std::vector<ResultEntry>& entries, std::string* stored,
                  std::string* error) {
    std::map<int, std::string> changed;
    for (const ResultEntry& entry : entries) {
        const auto item = own.find(entry.item);
        if (item == own.end()) continue;
        auto [at, added] = changed.try_emplace(entry.item, item->second.text);
        at->second = ReplaceItemKey(at->second, "VALUE" + FormatInt(entry.k), entry.value);
    }
    for (const auto& [index, text] : changed)
        host.SetItemText(index, text);
    const SequenceText file(std::move(sequence));
    return file.SpliceBlocks(host.Edit()->GetTestItemsText(), stored, error);
}

int RunResults(const ResultsOptions& o) {
    const bool store = !o.outPath.empty() || o.inPlace;
    if (!o.sets.empty() && !store)
        return Fail("give -o OUT or --in-place to store the entered results");
    if (!o.outPath.empty() && o.inPlace) return Fail("give either -o OUT or --in-place, not both");
    if (o.inPlace && o.sequencePath == "-")
        return Fail("--in-place needs a SEQUENCE file, not standard input");

    std::string bytes, error;
    if (!ReadInputFile(o.sequencePath, bytes, error)) return Fail(error);
    ComponentHost host;
    if (!host.Create(&error)) return Fail(error);
    host.Load(bytes);
    const int itemCount = host.ItemCount();
    const std::map<int, OwnItem> own = OwnItems(host);
    if (!store) {
        const std::string listing = Listing(own);
        std::fwrite(listing.data(), 1, listing.size(), stdout);
        return 0;
    }

    // Every entry is checked before the first reaches the component: an error writes nothing.
    std::vector<ResultEntry> entries(o.sets.size());
    for (size_t n = 0; n < o.sets.size(); ++n)
        if (!ParseEntry(o.sets[n], own, itemCount, &entries[n], &error)) return Fail(error);
    std::string stored;
    if (!EnterResults(host, std::move(bytes), own, entries, &stored, &error)) return Fail(error);
    const std::string& path = o.inPlace ? o.sequencePath : o.outPath;
    if (!WriteFileAtomic(path, stored)) return Fail("cannot write " + path);
    std::printf("wrote %s (%d bytes)\n", path.c_str(), static_cast<int>(stored.size()));
    return 0;
}

void AddResultsCommand(CLI::App& app) {
    auto o = std::make_shared<ResultsOptions>();
    CLI::App* cmd = app.add_subcommand(
        "results",
        "Print the results of a sequence's own items, or enter results and store the sequence");
    cmd->add_option("SEQUENCE", o->sequencePath, "Test sequence file, - for standard input")
        ->required();
    cmd->add_option("--set", o->sets, "Enter TEXT as the result of parameter K of item ITEM")
        ->type_name("ITEM.K=TEXT")
        ->allow_extra_args(false);
    cmd->add_option("-o,--output", o->outPath, "Store the sequence with the results here")
        ->type_name("OUT");
    cmd->add_flag("--in-place", o->inPlace, "Store the sequence over SEQUENCE");
    cmd->callback([o] { SetExitStatus(RunResults(*o)); });
}

}  // namespace quorin::cli
