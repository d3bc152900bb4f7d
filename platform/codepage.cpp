#include "platform/codepage.h"

#include <iconv.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quorin {
namespace {

// One iconv descriptor per direction and thread, opened on first use: opening costs far more
// than a typical conversion of a short text.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            // Unknown code page name: fall back to GBK rather than failing every conversion.
            const bool toAnsi =
                std::strcmp(from, "UTF-8") == 0 || std::strcmp(from, "UTF-16LE") == 0;
            cd_ = toAnsi ? iconv_open("GBK", from) : iconv_open(to, "GBK");
        }
    }
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts in; on an invalid or unconvertible sequence calls onBad(offset) which returns the
    // replacement bytes, or stops when strict. Returns false when it stopped.
    template <typename OnBad>
    bool Run(const char* in, size_t inLen, size_t unit, std::string& out, bool strict,
             size_t* badOffset, OnBad onBad) {
        out.clear();
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t left = inLen;
        char buf[1024];
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            const size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated sequence at the end): one unit is bad.
            if (strict) {
                if (badOffset) *badOffset = static_cast<size_t>(src - in);
                return false;
            }
            out += onBad();
            const size_t skip = left < unit ? left : unit;
            src += skip;
            left -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buf;
        size_t room = sizeof buf;
        iconv(cd_, nullptr, nullptr, &dst, &room);
        out.append(buf, static_cast<size_t>(dst - buf));
        return true;
    }

private:
    iconv_t cd_;
};

Converter& AnsiToUtf8Conv() {
    thread_local Converter c("UTF-8", AnsiCodePage().c_str());
    return c;
}
Converter& Utf8ToAnsiConv() {
    thread_local Converter c(AnsiCodePage().c_str(), "UTF-8");
    return c;
}
Converter& AnsiToUtf16Conv() {
    thread_local Converter c("UTF-16LE", AnsiCodePage().c_str());
    return c;
}
Converter& Utf16ToAnsiConv() {
    thread_local Converter c(AnsiCodePage().c_str(), "UTF-16LE");
    return c;
}

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// Length of the UTF-8 sequence starting at s[0], so that a bad character is skipped whole.
size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0xC0) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return 4;
}

}  // namespace

const std::string& AnsiCodePage() {
    static const std::string name = [] {
        const char* env = std::getenv("QUORIN_CODEPAGE");
        return std::string(env && *env ? env : "GBK");
    }();
    return name;
}

std::string AnsiToUtf8(std::string_view ansi) {
    if (IsAscii(ansi)) return std::string(ansi);
    std::string out;
    AnsiToUtf8Conv().Run(ansi.data(), ansi.size(), 1, out, false, nullptr,
                         [] { return std::string("\xEF\xBF\xBD"); });
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string out;
    // Skip a whole UTF-8 character at a time so one unmappable character gives one "?".
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t bad = 0;
        std::string part;
        if (Utf8ToAnsiConv().Run(utf8.data() + pos, utf8.size() - pos, 1, part, true, &bad,
                                 [] { return std::string(); })) {
            out += part;
            break;
        }
        // Strict run stopped: keep what converted, replace one character, continue after it.
        std::string good;
        Utf8ToAnsiConv().Run(utf8.data() + pos, bad, 1, good, false, nullptr,
                             [] { return std::string("?"); });
        out += good;
        out += '?';
        pos += bad;
        const size_t len = Utf8SequenceLength(static_cast<unsigned char>(utf8[pos]));
        pos += len <= utf8.size() - pos ? len : utf8.size() - pos;
    }
    return out;
}

bool Utf8ToAnsiStrict(std::string_view utf8, std::string* ansi, size_t* badOffset) {
    std::string out;
    const bool ok = IsAscii(utf8) ? (out.assign(utf8), true)
                                  : Utf8ToAnsiConv().Run(utf8.data(), utf8.size(), 1, out, true,
                                                         badOffset, [] { return std::string(); });
    if (ok && ansi) *ansi = std::move(out);
    return ok;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
    std::u16string result;
    if (IsAscii(ansi)) {
        result.assign(ansi.begin(), ansi.end());
        return result;
    }
    std::string bytes;
    AnsiToUtf16Conv().Run(ansi.data(), ansi.size(), 1, bytes, false, nullptr,
                          [] { return std::string("\xFD\xFF", 2); });
    result.resize(bytes.size() / 2);
    std::memcpy(result.data(), bytes.data(), result.size() * 2);
    return result;
}

std::string Utf16ToAnsi(std::u16string_view utf16) {
    bool ascii = true;
    for (char16_t c : utf16)
        if (c >= 0x80) ascii = false;
    std::string out;
    if (ascii) {
        out.reserve(utf16.size());
        for (char16_t c : utf16)
            out += static_cast<char>(c);
        return out;
    }
    // The data is little-endian UTF-16 on this platform; iconv reads it as bytes.
    Utf16ToAnsiConv().Run(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2, 2, out,
                          false, nullptr, [] { return std::string("?"); });
    return out;
}

}  // namespace quorin
