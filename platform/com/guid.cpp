#include "platform/com/guid.h"

namespace quorin {
namespace {

void AppendHex(std::string& out, uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::string GuidToString(const GUID& guid) {
    std::string out;
    out.reserve(38);
    out += '{';
    AppendHex(out, guid.Data1, 8);
    out += '-';
    AppendHex(out, guid.Data2, 4);
    out += '-';
    AppendHex(out, guid.Data3, 4);
    out += '-';
    for (int i = 0; i < 8; ++i) {
        if (i == 2) out += '-';
        AppendHex(out, guid.Data4[i], 2);
    }
    out += '}';
    return out;
}

}  // namespace quorin
