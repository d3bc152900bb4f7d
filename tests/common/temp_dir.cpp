#include "tests/common/temp_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
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

extern const char* const kTestDataFolder;

std::string DataPath(std::string_view name) {
    static const bool found = fs::is_directory(kTestDataFolder);
    EXPECT_TRUE(found) << "the test data folder " << kTestDataFolder << " is missing";
    return std::string(kTestDataFolder) + "/" + std::string(name);
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

std::string DataBytes(std::string_view name) {
    return FileBytes(DataPath(name));
}

std::vector<std::vector<std::string>> DataCases(std::string_view name) {
    std::vector<std::vector<std::string>> cases;
    const std::string bytes = DataBytes(name);
    EXPECT_FALSE(bytes.empty()) << "no cases in " << DataPath(name);
    for (size_t at = 0, end; at < bytes.size(); at = end + 1) {
        end = std::min(bytes.find('\n', at), bytes.size());
        const std::string line = bytes.substr(at, end - at);
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields(1);
        for (size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '\t') {
                fields.emplace_back();
            } else if (c != '\\' || i + 1 == line.size()) {
                fields.back() += c;
            } else if (const char e = line[++i]; e == 'x' && i + 2 < line.size()) {
                const std::string_view digits = "0123456789ABCDEF";  // upper case only
                fields.back() +=
                    static_cast<char>(digits.find(line[i + 1]) * 16 + digits.find(line[i + 2]));
                i += 2;
            } else {
                const size_t k = std::string_view("rnt0").find(e);
                fields.back() += k == std::string_view::npos ? e : "\r\n\t\0"[k];
            }
        }
        cases.push_back(std::move(fields));
    }
    return cases;
}

}  // namespace quorin::test
