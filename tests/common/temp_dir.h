// Scratch folders and the expected-output files of the tests.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <string>
#include <string_view>
#include <vector>

namespace quorin::test {

// A fresh empty folder below the system's temporary folder, removed with all it holds (links
// are removed, never followed) when the object goes.
class TempDir {
public:
    explicit TempDir(std::string_view name = "test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder, without a trailing "/".
    const std::string& path() const { return path_; }
    // path() + "/" + name; file("") is the folder with a trailing "/".
    std::string file(std::string_view name) const;

private:
    std::string path_;
};

// The bytes of a file; empty when it cannot be read.
std::string FileBytes(const std::string& path);

// A file of the test program's data folder (fixed when it is built; a missing folder fails the
// test and names it). DataBytes is empty when the file cannot be read.
std::string DataPath(std::string_view name);
std::string DataBytes(std::string_view name);

// The cases of a data file: one per line, fields separated by TAB, each with the escapes \r \n
// \t \\ \0 and \xNN decoded; empty lines and lines starting with "#" are skipped. A missing or
// empty file fails the test.
std::vector<std::vector<std::string>> DataCases(std::string_view name);

// What write returns when run under a file-size limit of limit bytes: a longer write fails
// part-way, for root as for anyone.
template <typename Write>
auto UnderFileSizeLimit(rlim_t limit, Write write) {
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const auto result = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}

}  // namespace quorin::test
