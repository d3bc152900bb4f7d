// A read-only index over a text of key=value pairs joined by one separator, split by exactly the
// rules of CKeyValueList (keys verbatim, an empty value reads as " ", the last of equal keys
// wins, a last value needs no separator), but keeping views into the text in a hash table that
// is reused from text to text. The template reader looks up tens of thousands of keys per read;
// this avoids a tree node and two strings per pair.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorin {

class CKeyValueIndex {
public:
    // Indexes text (which must outlive every lookup) split at separator. Only the first 4 GiB of
    // a text are indexed. Allocates only when text holds more pairs than any text before.
    void Assign(std::string_view text, char separator);

    // The value of key: " " for a present empty value, "" when the key is absent.
    std::string_view Find(std::string_view key) const;

    // Number of distinct keys.
    std::size_t Size() const { return size_; }

private:
    struct Slot {
        std::uint32_t generation = 0;  // the slot is in use when it equals generation_
        std::uint32_t hash = 0;
        std::uint32_t keyOffset = 0, keyLength = 0;
        std::uint32_t valueOffset = 0, valueLength = 0;  // kBlank: the empty value " "
    };
    static constexpr std::uint32_t kBlank = 0xFFFFFFFFu;

    static std::uint32_t HashOf(std::string_view key);
    std::string_view KeyOf(const Slot& slot) const {
        return text_.substr(slot.keyOffset, slot.keyLength);
    }
    void Prepare(std::size_t pairs);

    std::string_view text_;
    std::vector<Slot> slots_;  // a power of two, at most three quarters full
    std::uint32_t generation_ = 0;
    std::size_t size_ = 0;
};

}  // namespace quorin
