#include "template/key_value_index.h"

#include <algorithm>
#include <cstring>

namespace quorin {

std::uint32_t CKeyValueIndex::HashOf(std::string_view key) {
    // FNV-1a: keys are a few bytes ("N12", "S3417").
    std::uint32_t h = 2166136261u;
    for (const char c : key) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

// Sizes the table for up to pairs keys and empties it by moving to a new generation, so a reread
// does not touch every slot.
void CKeyValueIndex::Prepare(std::size_t pairs) {
    std::size_t wanted = 16;
    while (wanted * 3 < pairs * 4 + 4)
        wanted *= 2;
    if (wanted > slots_.size() || generation_ == 0xFFFFFFFFu) {
        slots_.assign(std::max(wanted, slots_.size()), Slot{});
        generation_ = 0;
    }
    ++generation_;
    size_ = 0;
}

// pairs := key "=" value (separator | end) -- as CKeyValueList splits them.
void CKeyValueIndex::Assign(std::string_view text, char separator) {
    if (text.size() > 0xFFFFFFFEu) text = text.substr(0, 0xFFFFFFFEu);
    text_ = text;
    std::size_t equals = 0;
    for (const char *p = text.data(), *end = p + text.size();
         (p = static_cast<const char*>(std::memchr(p, '=', static_cast<std::size_t>(end - p))));
         ++p)
        ++equals;
    Prepare(equals);

    const std::size_t mask = slots_.size() - 1;
    std::size_t position = 0;
    while (position <= text.size()) {
        const std::size_t eq = text.find('=', position);
        if (eq == std::string_view::npos) break;
        const std::string_view key = text.substr(position, eq - position);
        position = eq + 1;
        std::size_t end = text.find(separator, position);
        if (end == std::string_view::npos) end = text.size();

        const std::uint32_t hash = HashOf(key);
        std::size_t i = hash & mask;
        while (slots_[i].generation == generation_ &&
               !(slots_[i].hash == hash && KeyOf(slots_[i]) == key))
            i = (i + 1) & mask;
        Slot& slot = slots_[i];
        if (slot.generation != generation_) {
            slot.generation = generation_;
            slot.hash = hash;
            slot.keyOffset = static_cast<std::uint32_t>(key.data() - text.data());
            slot.keyLength = static_cast<std::uint32_t>(key.size());
            ++size_;
        }
        slot.valueOffset = static_cast<std::uint32_t>(position);
        slot.valueLength = end == position ? kBlank : static_cast<std::uint32_t>(end - position);
        position = end + 1;
    }
}

std::string_view CKeyValueIndex::Find(std::string_view key) const {
    if (size_ == 0) return {};
    const std::uint32_t hash = HashOf(key);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].generation == generation_; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.hash == hash && KeyOf(slot) == key) {
            if (slot.valueLength == kBlank) return " ";
            return text_.substr(slot.valueOffset, slot.valueLength);
        }
    }
    return {};
}

}  // namespace quorin
