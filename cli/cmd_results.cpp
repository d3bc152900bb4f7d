#include "cli/cmd_results.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "cli/cmd_template.h"
#include "cli/commands.h"
#include "frontend/component_host.h"
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
    auto [cmd, o] = AddCommand(
        app, "results", RunResults,
        "Print the results of a sequence's own items, or enter results and store the sequence");
    cmd->add_option("SEQUENCE", o->sequencePath, "Test sequence file, - for standard input")
        ->required();
    cmd->add_option("--set", o->sets, "Enter TEXT as the result of parameter K of item ITEM")
        ->type_name("ITEM.K=TEXT")
        ->allow_extra_args(false);
    cmd->add_option("-o,--output", o->outPath, "Store the sequence with the results here")
        ->type_name("OUT");
    cmd->add_flag("--in-place", o->inPlace, "Store the sequence over SEQUENCE");
}

}  // namespace quorin::cli
