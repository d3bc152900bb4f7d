#include "tests/common/temp_dir.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "platform/files.h"

namespace quorin::test {

namespace fs = std::filesystem;

TempDir::TempDir(std::string_view name) {
    // The process number keeps parallel test programs apart, the counter the folders of one.
    static std::atomic<int> counter{0};
    path_ =
        (fs::temp_directory_path() / ("quorin-" + std::string(name) + "-" +
                                      std::to_string(::getpid()) + "-" + std::to_string(counter++)))
            .string();
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    // A test may have taken the write bit away.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string TempDir::file(std::string_view name) const {
    return path_ + "/" + std::string(name);
}

std::string DataPath(std::string_view name) {
    const char* env = std::getenv("QUORIN_TEST_DATA");
    return std::string(env && *env ? env : "data") + "/" + std::string(name);
}

std::string DataBytes(std::string_view name) {
    std::string bytes;
    ReadFileBytes(DataPath(name), bytes);
    return bytes;
}

}  // namespace quorin::test
