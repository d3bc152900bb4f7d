// Hashing of bytes that come from input files. A fixed hash lets a crafted file put every key in
// one bucket; a hash under a key drawn at random once per process cannot be steered that way.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quorin {

struct HashKey {
    std::uint64_t k0 = 0, k1 = 0;
};

// The random key of this process: the same in every library of the process, different from one
// run to the next.
const HashKey& ProcessHashKey();

// SipHash-c-d of bytes under key: c compression rounds per 8-byte block, d finalisation rounds.
template <int C, int D>
std::uint64_t SipHash(const HashKey& key, std::string_view bytes) {
    std::uint64_t v0 = 0x736f6d6570736575ull ^ key.k0;
    std::uint64_t v1 = 0x646f72616e646f6dull ^ key.k1;
    std::uint64_t v2 = 0x6c7967656e657261ull ^ key.k0;
    std::uint64_t v3 = 0x7465646279746573ull ^ key.k1;
    const auto rotl = [](std::uint64_t x, int b) { return (x << b) | (x >> (64 - b)); };
    const auto round = [&] {
        v0 += v1;
        v1 = rotl(v1, 13);
        v1 ^= v0;
        v0 = rotl(v0, 32);
        v2 += v3;
        v3 = rotl(v3, 16);
        v3 ^= v2;
        v0 += v3;
        v3 = rotl(v3, 21);
        v3 ^= v0;
        v2 += v1;
        v1 = rotl(v1, 17);
        v1 ^= v2;
        v2 = rotl(v2, 32);
    };
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    const unsigned char* const blocksEnd = p + (n & ~std::size_t{7});
    for (; p != blocksEnd; p += 8) {
        std::uint64_t m;
        std::memcpy(&m, p, 8);
        if constexpr (std::endian::native == std::endian::big) m = __builtin_bswap64(m);
        v3 ^= m;
        for (int r = 0; r < C; ++r)
            round();
        v0 ^= m;
    }
    std::uint64_t last = static_cast<std::uint64_t>(n) << 56;
    for (int i = static_cast<int>(n & 7) - 1; i >= 0; --i)
        last |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    v3 ^= last;
    for (int r = 0; r < C; ++r)
        round();
    v0 ^= last;
    v2 ^= 0xff;
    for (int r = 0; r < D; ++r)
        round();
    return v0 ^ v1 ^ v2 ^ v3;
}

// A keyed hash of up to 16 bytes in two multiplies: the bytes (read as two overlapping words, which
// with the length determine them) mixed with the key, multiplied into 128 bits and folded, twice.
// Names and keys are short and looked up by the thousand, where SipHash costs four times as much.
inline std::uint64_t ShortKeyedHash(const HashKey& key, std::string_view bytes) {
    __extension__ using Wide = unsigned __int128;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    const auto load = [](const unsigned char* at, int width) {
        std::uint64_t v = 0;
        std::memcpy(&v, at, static_cast<std::size_t>(width));
        if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
        return v;
    };
    std::uint64_t a = 0, b = 0;
    if (n >= 8) {
        a = load(p, 8);
        b = load(p + n - 8, 8);
    } else if (n >= 4) {
        a = load(p, 4);
        b = load(p + n - 4, 4);
    } else if (n > 0) {
        a = (std::uint64_t{p[0]} << 16) | (std::uint64_t{p[n / 2]} << 8) | p[n - 1];
    }
    const auto fold = [](std::uint64_t x, std::uint64_t y) {
        const Wide product = static_cast<Wide>(x) * y;
        return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
    };
    // The length goes into the second multiplier: mixed into the words it could cancel against
    // their bytes ("aaaaaaaa" and "aaaaaaaaa" read as the same two words).
    const std::uint64_t h = fold(a ^ key.k0, b ^ key.k1);
    return fold(h ^ key.k1, key.k0 ^ ((static_cast<std::uint64_t>(n) + 1) * 0x9e3779b97f4a7c15ull));
}

// The hash for tables keyed by input: ShortKeyedHash up to 16 bytes, SipHash-1-3 beyond. Tables
// keep a copy of ProcessHashKey() and pass it, which spares a call per hash.
inline std::uint64_t KeyedHash(const HashKey& key, std::string_view bytes) {
    return bytes.size() <= 16 ? ShortKeyedHash(key, bytes) : SipHash<1, 3>(key, bytes);
}

}  // namespace quorin
