#include "report/file_utils.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return local;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool WriteTextFile(const std::string& path, std::string_view text) {
    return WriteFileAtomic(path, text);
}

bool ReadTextFile(const std::string& path, std::string& text) {
    if (!ReadFileBytes(path, text)) return false;
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return true;
}

bool CreateFolderPath(const std::string& path) {
    if (path.empty()) return false;
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (!level.empty() && level.back() != '/') ::mkdir(level.c_str(), 0777);
    }
    ::mkdir(path.c_str(), 0777);
    return IsFolder(path);
}

bool DeleteFolder(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (ec || !std::filesystem::exists(status)) return false;
    // remove_all looks at every entry without following links: a link to a folder outside is
    // removed as a link and the folder it points to stays.
    std::filesystem::remove_all(path, ec);
    return !ec;
}

std::string DateText(const std::tm& time) {
    return CFormat("%d-%d-%d", time.tm_year + 1900, time.tm_mon + 1, time.tm_mday);
}

std::string DateText() {
    return DateText(LocalNow());
}

std::string DateTimeText(const std::tm& time) {
    return CFormat("%d-%d-%d %d:%d", time.tm_year + 1900, time.tm_mon + 1, time.tm_mday,
                   time.tm_hour, time.tm_min);
}

std::string DateTimeText() {
    return DateTimeText(LocalNow());
}

}  // namespace quorin
