#include "platform/com/bstr.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/codepage.h"

namespace quorin {
namespace {

constexpr size_t kPrefix = sizeof(uint32_t);

// Largest character count whose byte count fits the prefix.
constexpr uint32_t kMaxLength = (UINT32_MAX - kPrefix - sizeof(char16_t)) / sizeof(char16_t);

unsigned char* BlockOf(BSTR text) {
    return reinterpret_cast<unsigned char*>(text) - kPrefix;
}

}  // namespace

extern "C" {

BSTR SysAllocStringLen(const char16_t* text, uint32_t length) {
    if (length > kMaxLength) return nullptr;
    const uint32_t bytes = length * static_cast<uint32_t>(sizeof(char16_t));
    // malloc rather than new: allocation failure must come back as null, never as an exception.
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + bytes + sizeof(char16_t)));
    if (!block) return nullptr;
    std::memcpy(block, &bytes, kPrefix);
    auto* chars = reinterpret_cast<char16_t*>(block + kPrefix);
    if (text) {
        std::memcpy(chars, text, bytes);
    } else {
        std::memset(chars, 0, bytes);
    }
    chars[length] = u'\0';
    return chars;
}

BSTR SysAllocString(const char16_t* text) {
    if (!text) return nullptr;
    size_t length = 0;
    while (text[length] != u'\0')
        ++length;
    if (length > kMaxLength) return nullptr;
    return SysAllocStringLen(text, static_cast<uint32_t>(length));
}

void SysFreeString(BSTR text) {
    if (text) std::free(BlockOf(text));
}

uint32_t SysStringByteLen(BSTR text) {
    if (!text) return 0;
    uint32_t bytes = 0;
    std::memcpy(&bytes, BlockOf(text), kPrefix);
    return bytes;
}

uint32_t SysStringLen(BSTR text) {
    return SysStringByteLen(text) / static_cast<uint32_t>(sizeof(char16_t));
}

BSTR QuorinAnsiToBstr(const char* bytes, int32_t length) {
    if (!bytes) return nullptr;
    const size_t size = length < 0 ? std::strlen(bytes) : static_cast<size_t>(length);
    return AnsiToBstr(std::string_view(bytes, size));
}

int32_t QuorinBstrToAnsi(BSTR text, char* out, int32_t capacity) {
    std::string ansi;
    try {
        ansi = BstrToAnsi(text);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (ansi.size() > static_cast<size_t>(INT32_MAX)) return -1;
    const auto length = static_cast<int32_t>(ansi.size());
    if (out && capacity >= length) {
        std::memcpy(out, ansi.data(), ansi.size());
        if (capacity > length) out[length] = '\0';
    }
    return length;
}

}  // extern "C"

BSTR Utf16ToBstr(std::u16string_view text) {
    if (text.size() > kMaxLength) return nullptr;
    return SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
}

BSTR AnsiToBstr(std::string_view ansi) {
    try {
        return Utf16ToBstr(AnsiToUtf16(ansi));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::string BstrToAnsi(BSTR text) {
    if (!text) return std::string();
    return Utf16ToAnsi(BstrView(text));
}

}  // namespace quorin
