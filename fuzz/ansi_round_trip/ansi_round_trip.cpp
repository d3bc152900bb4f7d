// Any bytes survive the way to text and back, under GBK and under CP1252: as UTF-16, through a
// BSTR (the C functions hosts call, for the configured code page), and as UTF-8. Decoded bytes
// never hold a character that the strict encoder refuses.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "platform/com/bstr.h"

namespace {

using namespace quorin;

void Check(bool ok) {
    if (!ok) std::abort();
}

void RoundTrip(const AnsiConverter& converter, std::string_view bytes) {
    const std::u16string text = converter.ToUtf16(bytes);
    OwnedBstr bstr(Utf16ToBstr(text));
    Check(converter.FromUtf16(bstr.view()) == bytes);
    std::string strict;
    Check(converter.FromUtf16Strict(text, &strict, nullptr) && strict == bytes);
    Check(converter.FromUtf8(converter.ToUtf8(bytes)) == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const AnsiConverter gbk("GBK"), cp1252("CP1252");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip(gbk, bytes);
    RoundTrip(cp1252, bytes);

    OwnedBstr bstr(QuorinAnsiToBstr(bytes.data(), static_cast<int32_t>(bytes.size())));
    std::string back(size, '\0');
    Check(QuorinBstrToAnsi(bstr.get(), back.data(), static_cast<int32_t>(size)) ==
              static_cast<int32_t>(size) &&
          back == bytes);
    return 0;
}
