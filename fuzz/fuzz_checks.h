// Checks shared by the fuzz targets of the test items.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "component/test_item.h"
#include "template/key_value_list.h"

namespace quorin::fuzz {

// Ends the run with the broken invariant named, so that libFuzzer keeps the input.
inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// Whether a block's inner text names this component, read as the component reads blocks (CR, LF
// and TAB dropped, then key=value pairs split at ";").
inline bool IsOwnBlock(std::string_view inner) {
    std::string copy;
    for (const char c : inner)
        if (c != '\r' && c != '\n' && c != '\t') copy.push_back(c);
    CKeyValueList keys(copy, ';');
    return keys.Lookup("TestComName2") == kOwnComponentName;
}

}  // namespace quorin::fuzz
