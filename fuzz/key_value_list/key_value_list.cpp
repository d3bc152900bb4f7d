// Splits arbitrary bytes with ";", "," and a separator taken from the first byte, and checks the
// list against a plain re-reading of the splitting rules, against its own joined text and against
// itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "template/key_value_list.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// The splitting rules applied literally to the text with a blank appended.
std::map<std::string, std::string> ReferenceSplit(std::string_view source, char separator) {
    std::map<std::string, std::string> pairs;
    if (source.empty()) return pairs;
    const std::string text = std::string(source) + " ";
    const size_t n = text.size();
    size_t position = 0;
    while (position < n) {
        const size_t equals = text.find('=', position);
        if (equals == std::string::npos) break;
        std::string key = text.substr(position, equals - position);
        position = equals + 1;
        size_t end = text.find(separator, position);
        if (end == std::string::npos || end > n - 1) end = n - 1;
        pairs[key] = end == position ? " " : text.substr(position, end - position);
        position = end + 1;
    }
    return pairs;
}

bool SamePairs(const quorin::CKeyValueList::Map& a, const std::map<std::string, std::string>& b) {
    if (a.size() != b.size()) return false;
    auto ib = b.begin();
    for (const auto& [key, value] : a) {
        if (key != ib->first || value != ib->second) return false;
        ++ib;
    }
    return true;
}

void Check(std::string_view text, char separator) {
    quorin::CKeyValueList list(text, separator);
    Require(SamePairs(list.Pairs(), ReferenceSplit(text, separator)), "split follows the rules");
    bool valueHoldsSeparator = false;
    for (const auto& [key, value] : list.Pairs()) {
        Require(key.find('=') == std::string::npos, "a key holds no '='");
        Require(!value.empty(), "a split value is never empty");
        Require(value == " " || value.find(separator) == std::string::npos,
                "a value holds no separator");
        valueHoldsSeparator = valueHoldsSeparator || value.find(separator) != std::string::npos;
    }

    const std::string separatorText(1, separator);
    const std::string joined = list.ToText(separatorText);
    size_t expectedLength = list.Empty() ? 0 : list.Size() - 1;
    for (const auto& [key, value] : list.Pairs())
        expectedLength += key.size() + 1 + value.size();
    Require(joined.size() == expectedLength, "joined text is complete");

    // Split values are never empty, so the joined text splits back into the same pairs unless a
    // value holds the separator: only the blank that stands for an empty value can, when the
    // separator is the blank.
    const quorin::CKeyValueList again =
        valueHoldsSeparator ? list : quorin::CKeyValueList(joined, separator);
    Require(again.Pairs() == list.Pairs(), "joined text splits into the same pairs");
    Require(list.Equals(list), "a list equals itself");
    Require(list.Equals(again) && again.Equals(list), "a list equals its re-split text");

    quorin::CKeyValueList merged(std::string_view("zz=merged;=empty key"), ';');
    merged = list;
    for (const auto& [key, value] : list.Pairs()) {
        Require(merged.Lookup(key) == value, "merge copies every pair");
    }
    Require(list.Equals(merged), "a merged list holds the source's pairs");

    for (const auto& [key, value] : again.Pairs()) {
        Require(list.Lookup(key) == value, "lookup finds every stored key");
    }
    const size_t size = list.Size();
    const std::string absent = joined + "\x01";  // longer than any key of the list
    Require(list.Find(absent) == nullptr, "absent key is not found");
    Require(list.Lookup(absent).empty(), "absent key reads as empty");
    Require(list.Size() == size + 1, "absent key is entered");
    Require(list.Equals(again), "an entered key counts as empty");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(text, ';');
    Check(text, ',');
    if (size > 0) Check(text.substr(1), static_cast<char>(data[0]));
    return 0;
}
