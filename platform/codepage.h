// The ANSI code page: texts inside the system are bytes in this code page (GBK for Chinese).
// The code page comes from the environment variable QUORIN_CODEPAGE (an iconv name), default GBK;
// an unknown name gives GBK.
//
// Conversions never fail, never crash and lose no byte:
// - Decoding maps every byte string to text. GBK (also named CP936) is decoded as GB18030 does for
//   its one- and two-byte codes, so the user-defined areas (A1 40, FE FE, ...) land in the
//   private-use area as with Windows code page 936. Code pages of one or two bytes per character
//   (every Windows ANSI code page) are decoded by tables taken from iconv; UTF-8 is built in.
// - A byte that no mapping holds (0x80 and 0xFF in GBK, a lead byte without a valid trail, a lead
//   byte at the end, 0x81 in CP1252, a longer sequence of another multi-byte code page) becomes a
//   lone surrogate U+DC00 + byte (U+DC80..U+DCFF), as Python's "surrogateescape" does.
// - Encoding is the exact inverse: such a surrogate gives back its byte, so text decoded from any
//   bytes encodes to the same bytes.
// - A character of foreign text that the code page cannot hold (Thai in GBK, an emoji, any other
//   lone surrogate) becomes one "?" per character; the strict forms refuse it instead.
// - In UTF-8 an escaped byte is written as the three-byte form of its surrogate (ED B2 80 ..
//   ED B3 BF); reading UTF-8 takes that form back, and turns each byte that is not valid UTF-8
//   into its escape. So AnsiToUtf8 and Utf8ToAnsi round-trip any bytes too.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quorin {

// The iconv name of the ANSI code page in use.
const std::string& AnsiCodePage();

std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);
std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view utf16);

// Whether c is the escape of an undecodable byte (U+DC00..U+DCFF); the byte is c & 0xFF.
constexpr bool IsByteEscape(char16_t c) {
    return c >= 0xDC00 && c <= 0xDCFF;
}

// Converts without replacement: false when some character cannot be held by the code page (or the
// input is not valid UTF-8, escapes aside); *badOffset then receives the byte offset of the first
// such character and *ansi is untouched.
bool Utf8ToAnsiStrict(std::string_view utf8, std::string* ansi, size_t* badOffset = nullptr);
// The same from UTF-16: *badIndex receives the index of the first character refused.
bool Utf16ToAnsiStrict(std::u16string_view utf16, std::string* ansi, size_t* badIndex = nullptr);

// The conversions of one code page, by iconv name (GBK when unknown). The functions above use
// the one of AnsiCodePage(); another serves tools and tests. Building one takes a few ms.
class AnsiConverter {
public:
    explicit AnsiConverter(const std::string& name);
    ~AnsiConverter();
    AnsiConverter(const AnsiConverter&) = delete;
    AnsiConverter& operator=(const AnsiConverter&) = delete;

    std::u16string ToUtf16(std::string_view ansi) const;
    std::string ToUtf8(std::string_view ansi) const;
    std::string FromUtf16(std::u16string_view utf16) const;
    std::string FromUtf8(std::string_view utf8) const;
    bool FromUtf16Strict(std::u16string_view utf16, std::string* ansi, size_t* badIndex) const;
    bool FromUtf8Strict(std::string_view utf8, std::string* ansi, size_t* badOffset) const;

private:
    struct Tables;
    std::unique_ptr<const Tables> tables_;
};

// Converts bytes in the named iconv encoding to UTF-8, refusing what is not valid there.
enum class ToUtf8Status { kDone, kUnknownEncoding, kInvalidBytes };
// *badOffset receives the offset of the first invalid byte for kInvalidBytes.
ToUtf8Status EncodingToUtf8(std::string_view bytes, const std::string& encoding, std::string* utf8,
                            size_t* badOffset = nullptr);

}  // namespace quorin
