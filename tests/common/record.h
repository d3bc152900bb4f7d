// Whole records of named values: compared at once, a mismatch prints both records row by row.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quorin::test {

using Record = std::vector<std::pair<std::string, std::string>>;

inline std::string Str(long long value) {
    return std::to_string(value);
}

}  // namespace quorin::test
