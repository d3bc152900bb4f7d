// Files of tests/report/data: QUORIN_TEST_DATA when CTest runs the tests, else beside this file.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/files.h"

namespace quorin::test {

inline std::string DataPath(const std::string& name) {
    const char* env = std::getenv("QUORIN_TEST_DATA");
    const std::filesystem::path dir = env && *env
                                          ? std::filesystem::path(env)
                                          : std::filesystem::path(__FILE__).parent_path() / "data";
    return (dir / name).string();
}

inline std::string DataBytes(const std::string& name) {
    std::string bytes;
    ReadFileBytes(DataPath(name), bytes);
    return bytes;
}

}  // namespace quorin::test
