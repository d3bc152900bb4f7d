#include "expression/name_table.h"

namespace quorin {

void CNameTable::SetAt(std::string_view name, CValue* value) {
    if (const auto it = map_.find(name); it != map_.end()) {
        it->second = value;
        return;
    }
    map_.emplace(std::string(name), value);
}

CValue* CNameTable::Lookup(std::string_view name) const {
    const auto it = map_.find(name);
    return it == map_.end() ? nullptr : it->second;
}

bool CNameTable::RemoveKey(std::string_view name) {
    const auto it = map_.find(name);
    if (it == map_.end()) return false;
    map_.erase(it);
    return true;
}

void CNameTable::RemoveAll() {
    map_.clear();
}

}  // namespace quorin
