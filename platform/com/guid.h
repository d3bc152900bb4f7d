// GUIDs in the Windows layout, their text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" and
// compile-time GUID constants.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/com/com_export.h"

namespace quorin {

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;

constexpr bool IsEqualGUID(const GUID& a, const GUID& b) noexcept {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) return false;
    }
    return true;
}

constexpr bool operator==(const GUID& a, const GUID& b) noexcept {
    return IsEqualGUID(a, b);
}

namespace detail {

constexpr int HexValue(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text[pos]; false on any other character.
constexpr bool ReadHex(std::string_view text, size_t pos, size_t digits, uint32_t* value) noexcept {
    uint32_t v = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int h = HexValue(text[pos + i]);
        if (h < 0) return false;
        v = v * 16 + static_cast<uint32_t>(h);
    }
    *value = v;
    return true;
}

}  // namespace detail

// guid = ["{"] 8hex "-" 4hex "-" 4hex "-" 4hex "-" 12hex ["}"]  (both braces or none)
// Hex digits in either case. False (out untouched) for any other text.
constexpr bool GuidFromString(std::string_view text, GUID* out) noexcept {
    if (text.size() == 38) {
        if (text.front() != '{' || text.back() != '}') return false;
        text = text.substr(1, 36);
    }
    if (text.size() != 36) return false;
    if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') return false;
    GUID g{};
    uint32_t v = 0;
    if (!detail::ReadHex(text, 0, 8, &v)) return false;
    g.Data1 = v;
    if (!detail::ReadHex(text, 9, 4, &v)) return false;
    g.Data2 = static_cast<uint16_t>(v);
    if (!detail::ReadHex(text, 14, 4, &v)) return false;
    g.Data3 = static_cast<uint16_t>(v);
    constexpr size_t kBytePos[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        if (!detail::ReadHex(text, kBytePos[i], 2, &v)) return false;
        g.Data4[i] = static_cast<uint8_t>(v);
    }
    if (out) *out = g;
    return true;
}

// A GUID constant from its text; a malformed text does not compile.
consteval GUID MakeGuid(std::string_view text) {
    GUID g{};
    if (!GuidFromString(text, &g)) throw "malformed GUID text";
    return g;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case hex digits.
QUORIN_COM_API std::string GuidToString(const GUID& guid);

}  // namespace quorin
