// The names an expression may use: case-sensitive texts mapped to value objects.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "expression/value.h"

namespace quorin {

// Maps a name (exact bytes, case-sensitive) to a value object that the table does not own.
// Lookups take a string_view and allocate nothing.
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
    std::size_t GetCount() const { return map_.size(); }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, CValue*, Hash, std::equal_to<>> map_;
};

}  // namespace quorin
