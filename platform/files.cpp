#include "platform/files.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quorin {
namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

ReadStatus ReadFileLimited(const std::string& path, std::string& out, size_t limit) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ReadStatus::kCannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return ReadStatus::kCannotOpen;
    }
    const bool regular = S_ISREG(st.st_mode);
    if (regular && static_cast<unsigned long long>(st.st_size) > limit) {
        ::close(fd);
        return ReadStatus::kTooLarge;
    }
    // Devices, pipes and /proc files tell no size: the buffer grows as they give bytes, up to
    // one byte past the cap. realloc grows a large block without copying or clearing it.
    size_t size = regular && st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1
                                            : std::min(size_t{65536}, limit + 1);
    char* buffer = static_cast<char*>(std::malloc(size));
    size_t used = 0;
    ReadStatus status = buffer ? ReadStatus::kRead : ReadStatus::kFailed;
    while (status == ReadStatus::kRead) {
        if (used == size) {
            if (used > limit) {
                status = ReadStatus::kTooLarge;
                break;
            }
            size = std::min(2 * size, limit + 1);
            char* grown = static_cast<char*>(std::realloc(buffer, size));
            if (!grown) {
                status = ReadStatus::kFailed;
                break;
            }
            buffer = grown;
        }
        const ssize_t n = ::read(fd, buffer + used, size - used);
        if (n < 0 && errno != EINTR) status = ReadStatus::kFailed;
        if (n == 0) break;
        if (n > 0) used += static_cast<size_t>(n);
    }
    ::close(fd);
    if (status == ReadStatus::kRead && used > limit) status = ReadStatus::kTooLarge;
    if (status == ReadStatus::kRead) out.assign(buffer, used);
    std::free(buffer);
    return status;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
    return ReadFileLimited(path, out, kMaxFileBytes) == ReadStatus::kRead;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    std::string tmpl = path + ".tmpXXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return false;
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(tmpl.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(tmpl.c_str());
    return ok;
}

std::string ProgramFolder() {
    if (const char* env = std::getenv("QUORIN_PROGRAM_DIR"); env && *env) {
        std::string dir(env);
        if (dir.back() != '/') dir += '/';
        return dir;
    }
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&ProgramFolder), &info) == 0 || !info.dli_fname)
        return std::string();
    char resolved[PATH_MAX];
    if (::realpath(info.dli_fname, resolved) == nullptr) return FolderOf(info.dli_fname);
    return FolderOf(resolved);
}

std::string ExecutableFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    return FolderOf(std::string(buf, static_cast<size_t>(n)));
}

}  // namespace quorin
