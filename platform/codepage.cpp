#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace quorin {
namespace {

constexpr char16_t kLead = 0xFFFF;        // in the byte table: the byte starts a two-byte code
constexpr char32_t kEscape = 0xDC00;      // byte b that no mapping holds reads as kEscape + b
constexpr char16_t kWideBase = 0xD800;    // in the pair table: kWideBase + i stands for wide[i]
constexpr char32_t kNoChar = 0xFFFFFFFF;  // iconv refused the bytes
constexpr char32_t kShort = 0xFFFFFFFE;   // iconv wants more bytes

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in (state reset first, flushed after) into out; false on a refused or
    // incomplete sequence, with errno telling which and *done the bytes taken before it.
    bool Run(std::string_view in, std::string& out, size_t* done = nullptr) {
        out.clear();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        char buf[4096];
        for (bool flushed = false; !flushed;) {
            char* dst = buf;
            size_t room = sizeof buf;
            size_t r = 0;
            if (left > 0) {
                r = iconv(cd_, &src, &left, &dst, &room);
            } else {
                r = iconv(cd_, nullptr, nullptr, &dst, &room);
                flushed = r != static_cast<size_t>(-1);
            }
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                if (done) *done = in.size() - left;
                return false;
            }
        }
        return true;
    }

    // The one character that exactly these bytes make, kShort, or kNoChar (output UTF-32LE).
    char32_t DecodeOne(const char* bytes, size_t n) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(bytes);
        unsigned char buf[12];
        char* dst = reinterpret_cast<char*>(buf);
        size_t room = sizeof buf;
        if (iconv(cd_, &src, &n, &dst, &room) == static_cast<size_t>(-1))
            return errno == EINVAL ? kShort : kNoChar;
        if (iconv(cd_, nullptr, nullptr, &dst, &room) == static_cast<size_t>(-1)) return kNoChar;
        if (sizeof buf - room != 4) return kNoChar;  // no character, or more than one
        const char32_t c = buf[0] | buf[1] << 8 | buf[2] << 16 | char32_t{buf[3]} << 24;
        return c > 0x10FFFF || IsSurrogate(c) ? kNoChar : c;
    }

private:
    iconv_t cd_;
};

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Decoding and encoding tables of one code page, built once from iconv.
struct CodePage {
    bool utf8 = false;
    bool asciiSame = true;           // bytes below 0x80 are ASCII
    std::array<char16_t, 256> byte;  // character, escape, or kLead
    std::vector<char16_t> pairs;     // (lead << 8 | trail) -> character; 0: none
    std::vector<char32_t> wide;      // characters beyond U+FFFF of the pair table
    std::vector<uint16_t> encode;    // UTF-16 unit -> one byte (<= 0xFF) or lead << 8 | trail
    std::vector<std::pair<char32_t, uint16_t>> wideEncode;  // sorted by character
};

class Builder {
public:
    Builder(CodePage& cp, const char* source)
        : cp_(cp), decoder_("UTF-32LE", source), encoder_(source, "UTF-32LE") {}
    bool ok() const { return decoder_.ok() && encoder_.ok(); }

    void Build() {
        std::vector<unsigned> leads;
        for (unsigned b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const char32_t d = decoder_.DecodeOne(&c, 1);
            cp_.byte[b] = static_cast<char16_t>(kEscape + b);
            if (d == kShort) leads.push_back(b);
            if (d < 0xFFFF && Claim(d, static_cast<uint16_t>(b)))
                cp_.byte[b] = static_cast<char16_t>(d);
        }
        if (!leads.empty()) cp_.pairs.assign(65536, 0);
        for (const unsigned lead : leads) {
            for (unsigned trail = 0; trail < 256; ++trail) {
                const char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const char32_t d = decoder_.DecodeOne(two, 2);
                const auto code = static_cast<uint16_t>(lead << 8 | trail);
                if (d > 0x10FFFF || d == 0xFFFF) continue;
                if (d > 0xFFFF) {
                    if (cp_.wide.size() >= 0x400) continue;
                    cp_.pairs[code] = static_cast<char16_t>(kWideBase + cp_.wide.size());
                    cp_.wide.push_back(d);
                }
                if (Claim(d, code)) {
                    cp_.byte[lead] = kLead;
                    if (d <= 0xFFFF) cp_.pairs[code] = static_cast<char16_t>(d);
                }
            }
        }
        std::sort(cp_.wideEncode.begin(), cp_.wideEncode.end());
        // Every byte that can be left over gets its escape; a byte at or above 0x80 always
        // does, so that any U+DC80..U+DCFF encodes as its byte.
        for (unsigned b = 1; b < 256; ++b) {
            const bool leftOver = b >= 0x80 || cp_.byte[b] == kLead || cp_.byte[b] == kEscape + b;
            if (leftOver && cp_.encode[kEscape + b] == 0) cp_.encode[kEscape + b] = uint16_t(b);
        }
        for (unsigned b = 0; b < 0x80; ++b)
            if (cp_.byte[b] != b) cp_.asciiSame = false;
    }

private:
    // Gives character c the bytes code when no other bytes hold it yet, or when iconv encodes c
    // as code (the others then decode as escapes): decoding and encoding stay inverse.
    bool Claim(char32_t c, uint16_t code) {
        uint16_t* slot = nullptr;
        if (c <= 0xFFFF) {
            slot = &cp_.encode[c];
        } else {
            for (auto& [wc, wcode] : cp_.wideEncode)
                if (wc == c) slot = &wcode;
        }
        if (!slot) {
            cp_.wideEncode.emplace_back(c, code);
            return true;
        }
        if (*slot == 0) {
            *slot = code;
            return true;
        }
        if (Canonical(c) != code) {
            Drop(code);
            return false;
        }
        Drop(*slot);
        *slot = code;
        return true;
    }

    // iconv's bytes for c as a code of the tables, 0 when none.
    uint16_t Canonical(char32_t c) {
        const char utf32[4] = {static_cast<char>(c), static_cast<char>(c >> 8),
                               static_cast<char>(c >> 16), static_cast<char>(c >> 24)};
        std::string out;
        if (!encoder_.Run(std::string_view(utf32, 4), out)) return 0;
        if (out.size() == 1) return static_cast<unsigned char>(out[0]);
        if (out.size() == 2)
            return static_cast<uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                         static_cast<unsigned char>(out[1]));
        return 0;
    }

    void Drop(uint16_t code) {
        if (code <= 0xFF)
            cp_.byte[code] = static_cast<char16_t>(kEscape + code);
        else
            cp_.pairs[code] = 0;
    }

    CodePage& cp_;
    Iconv decoder_, encoder_;
};

CodePage Make(const std::string& name) {
    CodePage cp;
    const std::string upper = Upper(name);
    if (upper == "UTF-8" || upper == "UTF8" || upper == "CP65001") {
        cp.utf8 = true;
        return cp;
    }
    cp.encode.assign(65536, 0);
    // GB18030 holds GBK and also maps the user-defined areas, as Windows code page 936 does.
    const bool gbk = upper == "GBK" || upper == "CP936" || upper == "MS936" ||
                     upper == "WINDOWS-936" || upper == "936";
    Builder builder(cp, gbk ? "GB18030" : name.c_str());
    if (builder.ok()) {
        builder.Build();
        return cp;
    }
    CodePage fallback;
    fallback.encode.assign(65536, 0);
    Builder(fallback, "GB18030").Build();
    return fallback;
}

// --- UTF-8 ---

// Calls emit(character, offset, raw) for each character of utf8; a byte that is not part of a
// valid UTF-8 sequence gives its escape, with raw set. With escapes, the three-byte forms of
// U+DC00..U+DCFF are taken as those characters (they carry escaped bytes); without, they are
// invalid like other surrogates.
template <class Emit>
void DecodeUtf8(std::string_view utf8, bool escapes, Emit&& emit) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    auto cont = [&](size_t i) { return i < n && (s[i] & 0xC0) == 0x80; };
    for (size_t i = 0; i < n;) {
        const unsigned b = s[i];
        if (b < 0x80) {
            if (!emit(char32_t(b), i, false)) return;
            ++i;
            continue;
        }
        char32_t c = kNoChar;
        size_t len = 1;
        if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
            c = (b & 0x1F) << 6 | (s[i + 1] & 0x3F);
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF && cont(i + 1) && cont(i + 2)) {
            c = (b & 0x0F) << 12 | (s[i + 1] & 0x3F) << 6 | (s[i + 2] & 0x3F);
            len = 3;
            if (c < 0x800 || (IsSurrogate(c) && !(escapes && c >= 0xDC00 && c <= 0xDCFF)))
                c = kNoChar;
        } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            c = (b & 0x07) << 18 | (s[i + 1] & 0x3F) << 12 | (s[i + 2] & 0x3F) << 6 |
                (s[i + 3] & 0x3F);
            len = 4;
            if (c < 0x10000 || c > 0x10FFFF) c = kNoChar;
        }
        const bool raw = c == kNoChar;
        if (raw) {
            c = kEscape + b;
            len = 1;
        }
        if (!emit(c, i, raw)) return;
        i += len;
    }
}

// Appends c as UTF-8 (a surrogate in its three-byte form).
inline char* PutUtf8(char* p, char32_t c) {
    if (c < 0x80) {
        *p++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *p++ = static_cast<char>(0xC0 | c >> 6);
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *p++ = static_cast<char>(0xE0 | c >> 12);
        *p++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *p++ = static_cast<char>(0xF0 | c >> 18);
        *p++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
        *p++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return p;
}

// --- ANSI ---

// Calls emit(character) for each character of ansi (escapes for bytes no mapping holds).
template <class Emit>
inline void DecodeAnsi(const CodePage& cp, std::string_view ansi, Emit&& emit) {
    if (cp.utf8) {
        DecodeUtf8(ansi, false, [&](char32_t c, size_t, bool) {
            emit(c);
            return true;
        });
        return;
    }
    const auto* s = reinterpret_cast<const unsigned char*>(ansi.data());
    const size_t n = ansi.size();
    for (size_t i = 0; i < n;) {
        const unsigned b = s[i];
        const char16_t c = cp.byte[b];
        if (c != kLead) [[likely]] {
            emit(char32_t(c));
            ++i;
            continue;
        }
        if (i + 1 < n) {
            const char16_t p = cp.pairs[b << 8 | s[i + 1]];
            if (p != 0) {
                emit(p >= kWideBase && p < 0xDC00 ? cp.wide[p - kWideBase] : char32_t(p));
                i += 2;
                continue;
            }
        }
        emit(kEscape + b);
        ++i;
    }
}

// Writes the bytes of c at p; nullptr when the code page cannot hold c.
inline char* PutAnsi(const CodePage& cp, char* p, char32_t c) {
    if (cp.utf8) {
        if (!IsSurrogate(c)) return PutUtf8(p, c);
        if (c < kEscape + 0x80 || c > kEscape + 0xFF) return nullptr;
        *p++ = static_cast<char>(c);
        return p;
    }
    uint16_t code = 0;
    if (c <= 0xFFFF) {
        code = cp.encode[c];
        if (code == 0 && c == 0 && cp.byte[0] == 0) {
            *p++ = '\0';
            return p;
        }
    } else {
        const auto it = std::lower_bound(cp.wideEncode.begin(), cp.wideEncode.end(),
                                         std::make_pair(c, uint16_t{0}));
        if (it != cp.wideEncode.end() && it->first == c) code = it->second;
    }
    if (code == 0) return nullptr;
    if (code > 0xFF) *p++ = static_cast<char>(code >> 8);
    *p++ = static_cast<char>(code);
    return p;
}

bool IsAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Encodes the characters that decode gives into ANSI: "?" for a character the code page cannot
// hold, or, when strict, false with *bad set to where decode found it. maxBytes bounds the bytes.
template <class Decode>
bool Encode(const CodePage& cp, size_t maxBytes, Decode&& decode, std::string* ansi, bool strict,
            size_t* bad) {
    std::string out(maxBytes, '\0');
    char* p = out.data();
    bool ok = true;
    decode([&](char32_t c, size_t at) {
        if (char* next = PutAnsi(cp, p, c)) {
            p = next;
            return true;
        }
        if (!strict) {
            *p++ = '?';
            return true;
        }
        if (bad) *bad = at;
        ok = false;
        return false;
    });
    if (!ok) return false;
    out.resize(static_cast<size_t>(p - out.data()));
    if (ansi) *ansi = std::move(out);
    return true;
}

bool FromUtf16(const CodePage& cp, std::u16string_view utf16, std::string* ansi, bool strict,
               size_t* bad) {
    std::string out((cp.utf8 ? 3 : 2) * utf16.size(), '\0');
    char* p = out.data();
    const size_t n = utf16.size();
    for (size_t i = 0; i < n; ++i) {
        char32_t c = utf16[i];
        if (c < 0x80 && cp.asciiSame) [[likely]] {
            *p++ = static_cast<char>(c);
            continue;
        }
        const size_t at = i;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        if (char* next = PutAnsi(cp, p, c)) {
            p = next;
        } else if (!strict) {
            *p++ = '?';
        } else {
            if (bad) *bad = at;
            return false;
        }
    }
    out.resize(static_cast<size_t>(p - out.data()));
    if (ansi) *ansi = std::move(out);
    return true;
}

// Strict refuses a byte that is not UTF-8, though its escape would be storable.
bool FromUtf8(const CodePage& cp, std::string_view utf8, std::string* ansi, bool strict,
              size_t* bad) {
    if (cp.asciiSame && IsAscii(utf8)) {
        if (ansi) ansi->assign(utf8);
        return true;
    }
    return Encode(
        cp, cp.asciiSame ? utf8.size() : 2 * utf8.size(),
        [&](auto&& emit) {
            DecodeUtf8(utf8, true, [&](char32_t c, size_t at, bool raw) {
                return emit(strict && raw ? kNoChar : c, at);
            });
        },
        ansi, strict, bad);
}

const AnsiConverter& Configured() {
    static const AnsiConverter converter(AnsiCodePage());
    return converter;
}

}  // namespace

struct AnsiConverter::Tables : CodePage {};

AnsiConverter::AnsiConverter(const std::string& name)
    : tables_(std::make_unique<Tables>(Tables{Make(name)})) {}
AnsiConverter::~AnsiConverter() = default;

std::u16string AnsiConverter::ToUtf16(std::string_view ansi) const {
    // No byte gives more than one unit, and no pair more than two.
    std::u16string out(ansi.size(), u'\0');
    char16_t* p = out.data();
    DecodeAnsi(*tables_, ansi, [&p](char32_t c) {
        if (c > 0xFFFF) {
            *p++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            *p++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            *p++ = static_cast<char16_t>(c);
        }
    });
    out.resize(static_cast<size_t>(p - out.data()));
    return out;
}

std::string AnsiConverter::ToUtf8(std::string_view ansi) const {
    if (tables_->asciiSame && IsAscii(ansi)) return std::string(ansi);
    std::string out(3 * ansi.size(), '\0');
    char* p = out.data();
    DecodeAnsi(*tables_, ansi, [&p](char32_t c) { p = PutUtf8(p, c); });
    out.resize(static_cast<size_t>(p - out.data()));
    return out;
}

std::string AnsiConverter::FromUtf16(std::u16string_view utf16) const {
    std::string out;
    quorin::FromUtf16(*tables_, utf16, &out, false, nullptr);
    return out;
}

std::string AnsiConverter::FromUtf8(std::string_view utf8) const {
    std::string out;
    quorin::FromUtf8(*tables_, utf8, &out, false, nullptr);
    return out;
}

bool AnsiConverter::FromUtf16Strict(std::u16string_view utf16, std::string* ansi,
                                    size_t* badIndex) const {
    return quorin::FromUtf16(*tables_, utf16, ansi, true, badIndex);
}

bool AnsiConverter::FromUtf8Strict(std::string_view utf8, std::string* ansi,
                                   size_t* badOffset) const {
    return quorin::FromUtf8(*tables_, utf8, ansi, true, badOffset);
}

const std::string& AnsiCodePage() {
    static const std::string name = [] {
        const char* env = std::getenv("QUORIN_CODEPAGE");
        return std::string(env && *env ? env : "GBK");
    }();
    return name;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
    return Configured().ToUtf16(ansi);
}

std::string AnsiToUtf8(std::string_view ansi) {
    return Configured().ToUtf8(ansi);
}

std::string Utf16ToAnsi(std::u16string_view utf16) {
    return Configured().FromUtf16(utf16);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    return Configured().FromUtf8(utf8);
}

bool Utf16ToAnsiStrict(std::u16string_view utf16, std::string* ansi, size_t* badIndex) {
    return Configured().FromUtf16Strict(utf16, ansi, badIndex);
}

bool Utf8ToAnsiStrict(std::string_view utf8, std::string* ansi, size_t* badOffset) {
    return Configured().FromUtf8Strict(utf8, ansi, badOffset);
}

ToUtf8Status EncodingToUtf8(std::string_view bytes, const std::string& encoding, std::string* utf8,
                            size_t* badOffset) {
    Iconv converter("UTF-8", encoding.c_str());
    if (!converter.ok()) return ToUtf8Status::kUnknownEncoding;
    std::string out;
    size_t done = 0;
    if (!converter.Run(bytes, out, &done)) {
        if (badOffset) *badOffset = done;
        return ToUtf8Status::kInvalidBytes;
    }
    if (utf8) *utf8 = std::move(out);
    return ToUtf8Status::kDone;
}

}  // namespace quorin
