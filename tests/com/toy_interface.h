// The interface of the toy server library that the activation tests load.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/com/bstr.h"
#include "platform/com/unknown.h"

namespace quorin::test {

inline constexpr CLSID CLSID_ToyCounter = MakeGuid("{6B1E0C52-3F7A-4D21-9C8E-2A5D7F01B3C4}");
inline constexpr IID IID_IToyCounter = MakeGuid("{9E4F1A27-5C3B-4E88-A1D6-0B7C2E9F4A13}");
inline constexpr std::string_view kToyProgId = "Quorin.ToyCounter";

struct IToyCounter : IUnknown {
    // Slot 3: adds amount to the total; returns the new total.
    virtual int32_t Add(int32_t amount) = 0;
    // Slot 4: a new BSTR "<prefix>=<total>".
    virtual BSTR Describe(BSTR prefix) = 0;
    // Slot 5: text repeated times, then "|" and the total.
    virtual std::string Repeat(std::string text, int32_t times) = 0;

protected:
    ~IToyCounter() = default;
};

}  // namespace quorin::test
