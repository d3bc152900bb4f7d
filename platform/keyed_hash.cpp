#include "platform/keyed_hash.h"

#include <sys/auxv.h>

namespace quorin {
namespace {

// Every image of the process (the program and each shared library linked with the platform layer)
// keeps its own copy of the key, and a table filled in one is read in another, so the key must
// come from something they all see alike: the random bytes the kernel hands each process at exec.
// They also seed the stack protector, so they go through SipHash rather than serve as the key.
HashKey DrawKey() {
    const auto random = ::getauxval(AT_RANDOM);
    if (random == 0) return {0x5175'6f72'696e'2031ull, 0x6b65'7965'6420'6861ull};
    const std::string_view bytes(reinterpret_cast<const char*>(random), 16);
    return {SipHash<2, 4>({0x0123456789abcdefull, 0xfedcba9876543210ull}, bytes),
            SipHash<2, 4>({0x0f1e2d3c4b5a6978ull, 0x8796a5b4c3d2e1f0ull}, bytes)};
}

}  // namespace

const HashKey& ProcessHashKey() {
    static const HashKey key = DrawKey();
    return key;
}

}  // namespace quorin
