#include "template/key_value_index.h"

#include <algorithm>
#include <cstring>

#include "platform/keyed_hash.h"

namespace quorin {

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
template <class Store>
void CKeyValueIndex::Split(char separator, Store&& store) {
    const std::string_view text = text_;
    std::size_t position = 0;
    while (position <= text.size()) {
        const std::size_t eq = text.find('=', position);
        if (eq == std::string_view::npos) return;
        const std::string_view key = text.substr(position, eq - position);
        position = eq + 1;
        std::size_t end = text.find(separator, position);
        if (end == std::string_view::npos) end = text.size();
        const auto length = end == position ? kBlank : static_cast<std::uint32_t>(end - position);
        if (!store(key, static_cast<std::uint32_t>(position), length)) return;
        position = end + 1;
    }
}

void CKeyValueIndex::Assign(std::string_view text, char separator) {
    if (text.size() > 0xFFFFFFFEu) text = text.substr(0, 0xFFFFFFFEu);
    text_ = text;
    ordered_ = false;
    pairs_.clear();
    std::size_t equals = 0;
    for (const char *p = text.data(), *end = p + text.size();
         (p = static_cast<const char*>(std::memchr(p, '=', static_cast<std::size_t>(end - p))));
         ++p)
        ++equals;
    Prepare(equals);

    const std::size_t mask = slots_.size() - 1;
    Split(separator, [&](std::string_view key, std::uint32_t offset, std::uint32_t length) {
        const auto hash = static_cast<std::uint32_t>(KeyedHash(key_, key));
        std::size_t i = hash & mask;
        for (int probe = 1; slots_[i].generation == generation_; ++probe) {
            Slot& slot = slots_[i];
            if (slot.hash == hash && KeyOf(slot) == key) {
                slot.valueOffset = offset;
                slot.valueLength = length;
                return true;
            }
            if (probe == maxProbes_) {
                ordered_ = true;
                return false;
            }
            i = (i + static_cast<std::size_t>(probe)) & mask;
        }
        Slot& slot = slots_[i];
        slot.generation = generation_;
        slot.hash = hash;
        slot.keyOffset = static_cast<std::uint32_t>(key.data() - text.data());
        slot.keyLength = static_cast<std::uint32_t>(key.size());
        slot.valueOffset = offset;
        slot.valueLength = length;
        ++size_;
        return true;
    });
    if (!ordered_) return;
    // A probe run that long is a flood of colliding keys, not bad luck: index the text in an order
    // that no choice of keys can degrade.
    Split(separator, [&](std::string_view key, std::uint32_t offset, std::uint32_t length) {
        pairs_.insert_or_assign(key, Value{offset, length});
        return true;
    });
}

std::string_view CKeyValueIndex::Find(std::string_view key) const {
    if (ordered_) {
        const auto it = pairs_.find(key);
        return it == pairs_.end() ? std::string_view()
                                  : ValueOf(it->second.offset, it->second.length);
    }
    if (size_ == 0) return {};
    const auto hash = static_cast<std::uint32_t>(KeyedHash(key_, key));
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    for (int probe = 1; slots_[i].generation == generation_; ++probe) {
        const Slot& slot = slots_[i];
        if (slot.hash == hash && KeyOf(slot) == key)
            return ValueOf(slot.valueOffset, slot.valueLength);
        if (probe == maxProbes_) break;
        i = (i + static_cast<std::size_t>(probe)) & mask;
    }
    return {};
}

}  // namespace quorin
