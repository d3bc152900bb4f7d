// Texts of key=value pairs joined by one separator character ("a=1;b=2", "N=Line,ID=Z1"), split
// into a map ordered by the keys' bytes. Used for test item blocks and the template's sections.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace quorin {

class CKeyValueList {
public:
    // Ordered by the bytes of the key, a shorter key first on a common prefix. std::less<> lets
    // Lookup find a key from a string_view without building a std::string.
    using Map = std::map<std::string, std::string, std::less<>>;

    CKeyValueList() = default;

    // Splits text: from the current position the next "=" ends the key (taken verbatim, blanks,
    // tabs, line breaks and separators included); the value runs to the next separator or to the
    // end of the text; an empty value is stored as one blank " "; a repeated key keeps its last
    // value. Text after the last "=" is dropped. An empty text gives an empty list. Never fails.
    CKeyValueList(std::string_view text, char separator);

    CKeyValueList(const CKeyValueList&) = default;
    CKeyValueList(CKeyValueList&&) noexcept = default;

    // Merges: copies every pair of other into this list, replacing the values of equal keys; keys
    // only in this list stay. Assigning a list to itself changes nothing.
    CKeyValueList& operator=(const CKeyValueList& other);

    // The value stored for key, or "" when the key was never seen; an absent key is then entered
    // with an empty value. The reference stays valid as long as the list.
    const std::string& Lookup(std::string_view key);

    // The value stored for key, or nullptr; never enters the key.
    const std::string* Find(std::string_view key) const;

    // The pairs in map order, "key=value" joined by separator; "" for an empty list. Complete
    // whatever its length.
    std::string ToText(std::string_view separator) const;

    // True (1) when every key of this list has, in other, a value equal to its own without regard
    // to case (a key absent from other counts as the empty value). Letters are folded as ASCII,
    // and the two bytes of a GBK double-byte character are compared exactly.
    bool Equals(const CKeyValueList& other) const;

    // The separator given at construction (";" for a default-constructed list).
    char Separator() const { return separator_; }
    size_t Size() const { return pairs_.size(); }
    bool Empty() const { return pairs_.empty(); }
    const Map& Pairs() const { return pairs_; }

private:
    void Split(std::string_view text);

    char separator_ = ';';
    Map pairs_;
};

}  // namespace quorin
