#include "expression/name_table.h"

#include <utility>

#include "platform/keyed_hash.h"

namespace quorin {

std::uint64_t CNameTable::HashOf(std::string_view name) const {
    // Names come from the template (setting IDs), so a fixed hash would let a crafted template
    // pile them all into one probe run.
    return KeyedHash(key_, name) | 1;  // never 0, which marks an empty slot
}

namespace {

// Names are a few bytes long: a plain loop beats a call to memcmp.
bool SameBytes(const std::string& a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < b.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace

std::size_t CNameTable::Find(std::string_view name, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.hash == 0 || (s.hash == hash && SameBytes(s.name, name))) return i;
    }
}

void CNameTable::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(old.empty() ? 64 : old.size() * 2);
    for (Slot& s : old) {
        if (s.hash != 0) slots_[Find(s.name, s.hash)] = std::move(s);
    }
}

void CNameTable::SetAt(std::string_view name, CValue* value) {
    ++generation_;
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const std::uint64_t hash = HashOf(name);
    Slot& s = slots_[Find(name, hash)];
    if (s.hash == 0) {
        s.hash = hash;
        s.name.assign(name);
        ++count_;
    }
    s.value = value;
}

CValue* CNameTable::Lookup(std::string_view name) const {
    if (count_ == 0) return nullptr;
    return slots_[Find(name, HashOf(name))].value;
}

bool CNameTable::RemoveKey(std::string_view name) {
    ++generation_;
    if (count_ == 0) return false;
    std::size_t hole = Find(name, HashOf(name));
    if (slots_[hole].hash == 0) return false;
    // Shift later members of the probe run back into the hole, so that no lookup meets an empty
    // slot before its name.
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t j = (hole + 1) & mask; slots_[j].hash != 0; j = (j + 1) & mask) {
        const std::size_t home = slots_[j].hash & mask;
        const bool staysPut = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (staysPut) continue;
        slots_[hole] = std::move(slots_[j]);
        hole = j;
    }
    slots_[hole] = Slot();
    --count_;
    return true;
}

void CNameTable::RemoveAll() {
    ++generation_;
    slots_.clear();
    count_ = 0;
}

}  // namespace quorin
