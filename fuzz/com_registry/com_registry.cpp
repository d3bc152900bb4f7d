// Registry texts and GUID texts of any shape: reading never crashes, and a rewrite always yields
// a text in which the class is found again, and removed again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/com/bstr.h"
#include "platform/com/guid.h"
#include "platform/com/registry.h"

namespace {

constexpr quorin::CLSID kClass = quorin::MakeGuid("{20CEF8D1-DE93-473D-A80A-D3D160BCE537}");

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorin;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    GUID guid{};
    if (GuidFromString(text.substr(0, 38), &guid)) {
        GUID again{};
        Check(GuidFromString(GuidToString(guid), &again) && again == guid);
    }

    std::string path;
    CLSID clsid{};
    FindInprocServerIn(text, kClass, &path);
    FindInprocServerIn(text, guid, &path);
    FindProgIdIn(text, "Quorin.QuorinCom", &clsid);

    const std::string rewritten = WithInprocServer(text, kClass, "Quorin.QuorinCom", "/new.so");
    Check(FindInprocServerIn(rewritten, kClass, &path) && path == "/new.so");
    Check(FindProgIdIn(rewritten, "Quorin.QuorinCom", &clsid) && clsid == kClass);
    const std::string removed = WithoutInprocServer(rewritten, kClass);
    Check(!FindInprocServerIn(removed, kClass, &path));

    // The same bytes as ANSI text through a BSTR and back.
    OwnedBstr b = OwnedBstr::FromAnsi(text);
    Check(b.get() != nullptr);
    (void)b.ToAnsi();
    return 0;
}
