// The names an expression may use: case-sensitive texts mapped to value objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "expression/value.h"
#include "platform/keyed_hash.h"

namespace quorin {

// Maps a name (exact bytes, case-sensitive) to a value object that the table does not own.
// Every name of an expression is looked up when it is parsed, so the table is an
// open-addressing hash table that looks up a string_view without allocating.
class CNameTable {
public:
    CNameTable() = default;
    CNameTable(const CNameTable&) = delete;
    CNameTable& operator=(const CNameTable&) = delete;

    // Maps name to value, replacing an earlier mapping of the same name (the last one wins).
    // A null value is stored like any other and reads back as "absent" from Lookup.
    void SetAt(std::string_view name, CValue* value);
    // The value object mapped to name, or null when the name is not mapped.
    CValue* Lookup(std::string_view name) const;
    // Drops the mapping of name; false when there was none.
    bool RemoveKey(std::string_view name);
    // Drops every mapping; the value objects are untouched.
    void RemoveAll();
    std::size_t GetCount() const { return count_; }
    // Changes with every SetAt, RemoveKey and RemoveAll: while it stays, every name looks up what
    // it looked up before.
    std::uint64_t Generation() const { return generation_; }

private:
    struct Slot {
        std::uint64_t hash = 0;  // 0: empty
        CValue* value = nullptr;
        std::string name;
    };
    std::uint64_t HashOf(std::string_view name) const;
    // The slot holding name, or the empty slot where it would go.
    std::size_t Find(std::string_view name, std::uint64_t hash) const;
    void Grow();

    HashKey key_ = ProcessHashKey();
    std::vector<Slot> slots_;  // a power of two, at most half full
    std::size_t count_ = 0;
    std::uint64_t generation_ = 0;
};

}  // namespace quorin
