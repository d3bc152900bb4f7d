#include "report/record_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/files.h"
#include "platform/numtext.h"

namespace quorin {

std::string RecordFilePath() {
    if (const char* env = std::getenv("QUORIN_RECORD_FILE"); env && *env) return env;
    return ProgramFolder() + "ZelvatRecord.txt";
}

void AppendRecord(std::string_view message) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr) return;
    AppendRecord(RecordFilePath(), message, local);
}

bool AppendRecord(const std::string& path, std::string_view message, const std::tm& time) {
    // No O_CREAT: a missing record file means records are not wanted.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return false;
    std::string record = "\r\n";
    record += CFormat("%02d:%02d:%02d", time.tm_hour, time.tm_min, time.tm_sec);
    record.append("\r\n").append(message).append("\r\n");
    // One write: with O_APPEND a record lands whole even when two programs append at once.
    std::string_view rest = record;
    bool ok = true;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        rest.remove_prefix(static_cast<size_t>(n));
    }
    return (::close(fd) == 0) && ok;
}

}  // namespace quorin
