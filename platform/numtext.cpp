#include "platform/numtext.h"

#include <locale.h>
#include <algorithm>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace quorin {
namespace {

locale_t CLocale() {
    // Created once and never freed: the C locale object lives as long as the process.
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

double CAtof(const char* text) {
    if (text == nullptr) return 0.0;
    return strtod_l(text, nullptr, CLocale());
}

namespace {

// The C readers need a terminator; most numbers are short, so avoid the heap for them.
template <class Parse>
auto ParseTerminated(std::string_view text, Parse parse) {
    char small[128];
    if (text.size() < sizeof small) {
        text.copy(small, text.size());
        small[text.size()] = '\0';
        return parse(small);
    }
    return parse(std::string(text).c_str());
}

}  // namespace

double CAtof(std::string_view text) {
    return ParseTerminated(text, [](const char* c) { return CAtof(c); });
}

int CAtoi(const char* text) {
    if (text == nullptr) return 0;
    const char* p = text;
    while (IsCSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    // strtol saturates at LONG_MIN/LONG_MAX; atoi then keeps the low 32 bits.
    unsigned long long magnitude = 0;
    const unsigned long long limit =
        negative ? static_cast<unsigned long long>(LONG_MAX) + 1 : LONG_MAX;
    bool saturated = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (saturated) continue;
        magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
        if (magnitude > limit) saturated = true;
    }
    long value;
    if (saturated) {
        value = negative ? LONG_MIN : LONG_MAX;
    } else if (negative) {
        value = magnitude == limit ? LONG_MIN : -static_cast<long>(magnitude);
    } else {
        value = static_cast<long>(magnitude);
    }
    return static_cast<int>(static_cast<unsigned int>(static_cast<unsigned long>(value)));
}

int CAtoi(std::string_view text) {
    return ParseTerminated(text, [](const char* c) { return CAtoi(c); });
}

std::string CFormat(const char* format, ...) {
    const locale_t previous = uselocale(CLocale());
    std::string out;
    char small[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n >= 0 && static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else if (n >= 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<size_t>(n));
    }
    va_end(again);
    uselocale(previous);
    return out;
}

std::string_view FormatIntTo(NumberBuffer& buffer, long long value) {
    const auto r = std::to_chars(buffer, std::end(buffer), value);
    return {buffer, static_cast<size_t>(r.ptr - buffer)};
}

std::string_view FormatFixedTo(NumberBuffer& buffer, double value, int decimals) {
    // to_chars rounds exactly, as glibc's printf does, and ignores the locale. The buffer holds
    // the longest text, so it cannot fail.
    const auto r = std::to_chars(buffer, std::end(buffer), value, std::chars_format::fixed,
                                 std::clamp(decimals, 0, 60));
    return {buffer, static_cast<size_t>(r.ptr - buffer)};
}

std::string FormatInt(long long value) {
    NumberBuffer buffer;
    return std::string(FormatIntTo(buffer, value));
}

std::string FormatFixed(double value, int decimals) {
    NumberBuffer buffer;
    return std::string(FormatFixedTo(buffer, value, decimals));
}

int TruncateToInt(double value, int lowest, int highest) {
    if (std::isnan(value)) return 0;
    const double whole = std::trunc(value);
    if (whole <= lowest) return lowest;
    if (whole >= highest) return highest;
    return static_cast<int>(whole);
}

std::string_view Trim(std::string_view text, std::string_view blanks) {
    const size_t first = text.find_first_not_of(blanks);
    // An all-blank text gives the empty view at its end, which still points into text.
    if (first == std::string_view::npos) return text.substr(text.size());
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace quorin
