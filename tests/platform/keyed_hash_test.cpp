#include "platform/keyed_hash.h"

#include <gtest/gtest.h>

#include <string>

namespace quorin {
namespace {

// The reference vectors of SipHash-2-4 (key 00 01 .. 0f, message 00 01 .. n-1): the rounds, the
// block loads and the length byte of the last block.
TEST(SipHash, GivesTheReferenceValues) {
    const HashKey key{0x0706050403020100ull, 0x0f0e0d0c0b0a0908ull};
    const struct {
        int length;
        std::uint64_t hash;
    } cases[] = {{0, 0x726fdb47dd0e0e31ull},
                 {1, 0x74f839c593dc67fdull},
                 {7, 0xab0200f58b01d137ull},
                 {8, 0x93f5f5799a932462ull},
                 {15, 0xa129ca6149be45e5ull}};
    for (const auto& c : cases) {
        std::string message;
        for (int i = 0; i < c.length; ++i)
            message += static_cast<char>(i);
        EXPECT_EQ((SipHash<2, 4>(key, message)), c.hash) << c.length;
    }
}

}  // namespace
}  // namespace quorin
