#include "template/key_value_list.h"

namespace quorin {
namespace {

const std::string kEmpty;

bool IsGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// A trail byte of a double-byte character may be an ASCII letter; folding it would make two
// different Chinese characters equal.
bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (IsGbkLead(ca) && i + 1 < a.size()) {
            if (ca != cb || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (FoldAscii(ca) != FoldAscii(cb)) return false;
    }
    return true;
}

}  // namespace

CKeyValueList::CKeyValueList(std::string_view text, char separator) : separator_(separator) {
    if (!text.empty()) Split(text);
}

// key "=" value (separator | end): the text is read as if one blank were appended, so the end of
// a last value without separator lies at the appended blank and the blank itself is never part of
// a value.
void CKeyValueList::Split(std::string_view text) {
    const size_t n = text.size() + 1;
    size_t position = 0;
    while (position < n) {
        const size_t equals = text.find('=', position);
        if (equals == std::string_view::npos) break;
        const std::string_view key = text.substr(position, equals - position);
        position = equals + 1;
        size_t end = text.find(separator_, position);
        if (end == std::string_view::npos) end = n - 1;
        const std::string_view value =
            end == position ? std::string_view(" ") : text.substr(position, end - position);
        auto it = pairs_.lower_bound(key);
        if (it != pairs_.end() && it->first == key) {
            it->second.assign(value);
        } else {
            pairs_.emplace_hint(it, std::string(key), std::string(value));
        }
        position = end + 1;
    }
}

CKeyValueList& CKeyValueList::operator=(const CKeyValueList& other) {
    if (this == &other) return *this;
    for (const auto& [key, value] : other.pairs_)
        pairs_.insert_or_assign(key, value);
    return *this;
}

const std::string& CKeyValueList::Lookup(std::string_view key) {
    auto it = pairs_.lower_bound(key);
    if (it != pairs_.end() && it->first == key) return it->second;
    return pairs_.emplace_hint(it, std::string(key), std::string())->second;
}

const std::string* CKeyValueList::Find(std::string_view key) const {
    const auto it = pairs_.find(key);
    return it == pairs_.end() ? nullptr : &it->second;
}

std::string CKeyValueList::ToText(std::string_view separator) const {
    size_t length = 0;
    for (const auto& [key, value] : pairs_)
        length += separator.size() + key.size() + 1 + value.size();
    std::string text;
    text.reserve(length);
    bool first = true;
    for (const auto& [key, value] : pairs_) {
        if (!first) text.append(separator);
        first = false;
        text.append(key).append(1, '=').append(value);
    }
    return text;
}

bool CKeyValueList::Equals(const CKeyValueList& other) const {
    if (this == &other) return true;
    for (const auto& [key, value] : pairs_) {
        const std::string* theirs = other.Find(key);
        if (!EqualNoCase(value, theirs ? std::string_view(*theirs) : std::string_view()))
            return false;
    }
    return true;
}

}  // namespace quorin
