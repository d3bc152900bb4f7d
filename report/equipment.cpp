#include "report/equipment.h"

#include <dirent.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <ctime>

#include "platform/files.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

constexpr int kUnitsPerCharacter = 8;

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view BaseName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// Linux names are case-sensitive where Windows found "CFG\VKM.CFG" and "cfg\VKM.CFG" alike:
// try the spelling given first, then the other.
bool ReadConfig(const std::string& folder, bool upperFirst, std::string& content) {
    const char* first = upperFirst ? "CFG/VKM.CFG" : "cfg/VKM.CFG";
    const char* second = upperFirst ? "cfg/VKM.CFG" : "CFG/VKM.CFG";
    return ReadFileBytes(folder + first, content) || ReadFileBytes(folder + second, content);
}

struct SearchState {
    std::string_view name;
    std::string path;
};

int FindLoaded(struct dl_phdr_info* info, size_t, void* data) {
    auto* state = static_cast<SearchState*>(data);
    if (info->dlpi_name && *info->dlpi_name && BaseName(info->dlpi_name) == state->name) {
        state->path = info->dlpi_name;
        return 1;
    }
    return 0;
}

std::string ExecutableName(const std::string& procDir) {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink((procDir + "/exe").c_str(), buf, sizeof buf - 1);
    if (n > 0) {
        std::string_view target(buf, static_cast<size_t>(n));
        constexpr std::string_view kDeleted = " (deleted)";
        if (target.size() > kDeleted.size() &&
            target.substr(target.size() - kDeleted.size()) == kDeleted)
            target.remove_suffix(kDeleted.size());
        return std::string(BaseName(target));
    }
    // Another user's process hides its executable link; its name (up to 15 bytes) is public.
    std::string comm;
    if (!ReadFileBytes(procDir + "/comm", comm)) return std::string();
    while (!comm.empty() && (comm.back() == '\n' || comm.back() == '\r'))
        comm.pop_back();
    return comm;
}

}  // namespace

// setting = key value ";"
std::string GetBetween(std::string_view text, std::string_view key) {
    if (text.empty() || key.empty()) return std::string();
    const size_t at = text.find(key);
    if (at == std::string_view::npos) return std::string();
    const size_t start = at + key.size();
    const size_t end = text.find(';', start);
    if (end == std::string_view::npos) return std::string();
    return std::string(text.substr(start, end - start));
}

CReportTable BuildHardwareTable(std::string_view deviceType, std::string_view serialNumber) {
    CReportTable table(2, 2);
    table.title = "Hardware Configuration: ";
    CReportColumn type(2, 0, 80);
    type.AddCell("Device Type");
    type.AddCell(deviceType);
    table.AddColumn(std::move(type));
    CReportColumn serial(2, 1, 120);
    serial.AddCell("Serial-number");
    serial.AddCell(serialNumber);
    table.AddColumn(std::move(serial));
    return table;
}

std::string LoadedModuleFolder(std::string_view moduleFileName) {
    if (moduleFileName.empty()) return std::string();
    SearchState state{moduleFileName, {}};
    dl_iterate_phdr(FindLoaded, &state);
    if (!state.path.empty()) return FolderOf(state.path);
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n > 0) {
        const std::string_view exe(buf, static_cast<size_t>(n));
        if (BaseName(exe) == moduleFileName) return FolderOf(exe);
    }
    return std::string();
}

std::string ModuleVersionText(std::string_view moduleFileName, const std::string& moduleFolder) {
    const std::string folder =
        moduleFolder.empty() ? LoadedModuleFolder(moduleFileName) : moduleFolder;
    std::string version;
    std::string content;
    if (!folder.empty() && ReadConfig(folder, true, content))
        version = GetBetween(content, "Version:");
    if (version.size() < 3) version = kFallbackVersion;
    if (folder.empty() || moduleFileName.empty()) return version;
    struct stat st {};
    if (::stat((folder + std::string(moduleFileName)).c_str(), &st) != 0) return version;
    std::tm local{};
    const std::time_t written = st.st_mtime;
    if (::localtime_r(&written, &local) == nullptr) return version;
    std::string stamp =
        CFormat("-%2d%2d-%2d%2d", local.tm_mday, local.tm_mon + 1, local.tm_hour, local.tm_min);
    std::replace(stamp.begin(), stamp.end(), ' ', '0');
    return version + stamp;
}

CReportTable BuildModuleTable(std::string_view moduleFileName, std::string_view displayName,
                              const std::string& moduleFolder) {
    const std::string version = ModuleVersionText(moduleFileName, moduleFolder);
    auto width = [](std::string_view a, std::string_view b) {
        return kUnitsPerCharacter * static_cast<int>(std::max(a.size(), b.size()));
    };
    CReportTable table(2, 2);
    table.title = "Test Module Parameter";
    CReportColumn name(2, 0, width("Name ", displayName));
    name.AddCell("Name ");
    name.AddCell(displayName);
    table.AddColumn(std::move(name));
    CReportColumn ver(2, 1, width("Version ", version));
    ver.AddCell("Version ");
    ver.AddCell(version);
    table.AddColumn(std::move(ver));
    return table;
}

int GetAutoTestType(const std::string& folder) {
    std::string content;
    if (!ReadConfig(folder.empty() ? ExecutableFolder() : folder, false, content)) return 0;
    if (content.find("AutoTest:") == std::string::npos) return 0;
    if (CAtoi(GetBetween(content, "AutoTest:")) == 0) return 0;
    if (content.find("AutoTestType:") == std::string::npos) return 104;
    return CAtoi(GetBetween(content, "AutoTestType:"));
}

bool IsKnownTestModule(std::string_view fileName) {
    const std::string lower = Lower(fileName);
    for (const char* name : kTestModuleNames)
        if (lower == name) return true;
    return false;
}

bool IsSingleTestModule(const std::string& procRoot) {
    DIR* dir = ::opendir(procRoot.c_str());
    if (dir == nullptr) return true;
    int count = 0;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name(e->d_name);
        if (name.empty() ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        if (IsKnownTestModule(ExecutableName(procRoot + "/" + std::string(name))) && ++count >= 2)
            break;
    }
    ::closedir(dir);
    return count < 2;
}

}  // namespace quorin
