// BSTR: UTF-16 text preceded by its length in bytes (a 4-byte prefix) and followed by a NUL
// character; a BSTR points at the first character. A null BSTR is the empty text everywhere.
// Every BSTR is allocated and freed by this library, so any module may free any BSTR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/com/com_export.h"

namespace quorin {

using BSTR = char16_t*;

extern "C" {

// A new BSTR with the characters of the NUL-terminated text; null when text is null or memory
// runs out.
QUORIN_COM_API BSTR SysAllocString(const char16_t* text);
// A new BSTR of length characters copied from text (which may hold NULs), or zeroed when text is
// null; null when memory runs out or the length does not fit the 4-byte byte count.
QUORIN_COM_API BSTR SysAllocStringLen(const char16_t* text, uint32_t length);
// Frees a BSTR of this library; null is ignored.
QUORIN_COM_API void SysFreeString(BSTR text);
// Length in characters (0 for null).
QUORIN_COM_API uint32_t SysStringLen(BSTR text);
// Length in bytes as the prefix holds it (0 for null).
QUORIN_COM_API uint32_t SysStringByteLen(BSTR text);

// A new BSTR with length bytes of ANSI text (NUL-terminated when length is negative) decoded from
// the ANSI code page without loss (platform/codepage.h: a byte no mapping holds becomes U+DC00 +
// byte). Null when bytes is null or memory runs out.
QUORIN_COM_API BSTR QuorinAnsiToBstr(const char* bytes, int32_t length);
// The byte length of the BSTR's text in the ANSI code page (U+DC80..U+DCFF give their bytes back,
// other characters it cannot hold become "?"); -1 when that exceeds INT32_MAX or memory runs out.
// The bytes, and a NUL when capacity leaves room for it, are written to out only when out is not
// null and capacity is at least the length; otherwise nothing is written.
QUORIN_COM_API int32_t QuorinBstrToAnsi(BSTR text, char* out, int32_t capacity);

}  // extern "C"

// The characters of a BSTR (empty for null).
inline std::u16string_view BstrView(BSTR text) {
    return {text, SysStringLen(text)};
}

// A new BSTR with the UTF-16 text; null only when memory runs out.
QUORIN_COM_API BSTR Utf16ToBstr(std::u16string_view text);
// A new BSTR with ANSI text decoded from the ANSI code page without loss, as QuorinAnsiToBstr.
// Owned by the caller; null only when memory runs out.
QUORIN_COM_API BSTR AnsiToBstr(std::string_view ansi);
// The BSTR's text in the ANSI code page, as QuorinBstrToAnsi: BstrToAnsi(AnsiToBstr(b)) == b for
// any bytes b. "" for null.
QUORIN_COM_API std::string BstrToAnsi(BSTR text);

// Owns one BSTR and frees it when destroyed.
class OwnedBstr {
public:
    OwnedBstr() = default;
    // Takes ownership of text.
    explicit OwnedBstr(BSTR text) noexcept : text_(text) {}
    static OwnedBstr FromAnsi(std::string_view ansi) { return OwnedBstr(AnsiToBstr(ansi)); }
    static OwnedBstr FromUtf16(std::u16string_view text) { return OwnedBstr(Utf16ToBstr(text)); }
    OwnedBstr(OwnedBstr&& other) noexcept : text_(other.release()) {}
    OwnedBstr& operator=(OwnedBstr&& other) noexcept {
        reset(other.release());
        return *this;
    }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
    ~OwnedBstr() { SysFreeString(text_); }

    BSTR get() const noexcept { return text_; }
    // Frees the current text and gives the address for an out argument that receives a new one.
    BSTR* out() noexcept {
        reset();
        return &text_;
    }
    // Gives up ownership.
    BSTR release() noexcept { return std::exchange(text_, nullptr); }
    void reset(BSTR text = nullptr) noexcept { SysFreeString(std::exchange(text_, text)); }

    uint32_t size() const noexcept { return SysStringLen(text_); }
    std::u16string_view view() const { return BstrView(text_); }
    std::string ToAnsi() const { return BstrToAnsi(text_); }

private:
    BSTR text_ = nullptr;
};

// A caller's array of BSTRs for out[] arguments: all null at first, every entry freed at the end.
class BstrArray {
public:
    explicit BstrArray(size_t count) : items_(count, nullptr) {}
    BstrArray(const BstrArray&) = delete;
    BstrArray& operator=(const BstrArray&) = delete;
    ~BstrArray() {
        for (BSTR b : items_)
            SysFreeString(b);
    }
    BSTR* data() noexcept { return items_.data(); }
    size_t size() const noexcept { return items_.size(); }
    BSTR& operator[](size_t i) { return items_[i]; }
    std::string Ansi(size_t i) const { return BstrToAnsi(items_.at(i)); }

private:
    std::vector<BSTR> items_;
};

// A caller's table of BSTRs with Cols columns, passed as BSTR (*)[Cols]; freed like BstrArray.
template <size_t Cols>
class BstrTable {
public:
    explicit BstrTable(size_t rows) : rows_(rows), items_(rows * Cols, nullptr) {}
    BstrTable(const BstrTable&) = delete;
    BstrTable& operator=(const BstrTable&) = delete;
    ~BstrTable() {
        for (BSTR b : items_)
            SysFreeString(b);
    }
    // Row-major storage seen as an array of rows.
    BSTR (*data() noexcept)[Cols] { return reinterpret_cast<BSTR(*)[Cols]>(items_.data()); }
    size_t rows() const noexcept { return rows_; }
    BSTR& at(size_t row, size_t col) { return items_.at(row * Cols + col); }
    std::string Ansi(size_t row, size_t col) const {
        return BstrToAnsi(items_.at(row * Cols + col));
    }

private:
    size_t rows_;
    std::vector<BSTR> items_;
};

}  // namespace quorin
