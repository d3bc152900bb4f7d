// A read-only index over a text of key=value pairs joined by one separator, split by exactly the
// rules of CKeyValueList (keys verbatim, an empty value reads as " ", the last of equal keys
// wins, a last value needs no separator), but keeping views into the text in a hash table that
// is reused from text to text. The template reader looks up tens of thousands of keys per read;
// this avoids a tree node and two strings per pair.
//
// Keys come from the input, so the hash is keyed per process and no lookup probes more than a
// fixed number of slots: a text that would need more is indexed in an ordered map instead, which
// costs a logarithm per lookup whatever the keys are.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "platform/keyed_hash.h"
#include "platform/large_block.h"

namespace quorin {

class CKeyValueIndex {
public:
    static constexpr int kDefaultMaxProbes = 64;

    // maxProbes (at least 1): the longest probe run before a text is indexed in the ordered map.
    explicit CKeyValueIndex(int maxProbes = kDefaultMaxProbes)
        : maxProbes_(maxProbes < 1 ? 1 : maxProbes) {}

    // Indexes text (which must outlive every lookup) split at separator. Only the first 4 GiB of
    // a text are indexed. Allocates only when text holds more pairs than any text before, or
    // when it falls back to the ordered map.
    void Assign(std::string_view text, char separator);

    // The value of key: " " for a present empty value, "" when the key is absent.
    std::string_view Find(std::string_view key) const;

    // Number of distinct keys.
    std::size_t Size() const { return ordered_ ? pairs_.size() : size_; }

private:
    struct Slot {
        std::uint32_t generation = 0;  // the slot is in use when it equals generation_
        std::uint32_t hash = 0;
        std::uint32_t keyOffset = 0, keyLength = 0;
        std::uint32_t valueOffset = 0, valueLength = 0;  // kBlank: the empty value " "
    };
    struct Value {
        std::uint32_t offset = 0, length = 0;
    };
    static constexpr std::uint32_t kBlank = 0xFFFFFFFFu;

    std::string_view KeyOf(const Slot& slot) const {
        return text_.substr(slot.keyOffset, slot.keyLength);
    }
    std::string_view ValueOf(std::uint32_t offset, std::uint32_t length) const {
        return length == kBlank ? std::string_view(" ") : text_.substr(offset, length);
    }
    void Prepare(std::size_t pairs);
    // Calls store(key, value offset, value length) for each pair in text order; stops early when
    // store returns false.
    template <class Store>
    void Split(char separator, Store&& store);

    int maxProbes_;
    HashKey key_ = ProcessHashKey();
    std::string_view text_;
    std::vector<Slot, LargeBlockAllocator<Slot>> slots_;  // a power of two, at most 3/4 full
    std::uint32_t generation_ = 0;
    std::size_t size_ = 0;
    bool ordered_ = false;
    std::map<std::string_view, Value, std::less<>> pairs_;  // the index when ordered_
};

}  // namespace quorin
