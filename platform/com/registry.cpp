#include "platform/com/registry.h"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <vector>

#include "platform/files.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

// One section as it stands in the file: its header line and body lines, or the lines before
// the first header.
struct Section {
    std::string_view name;
    std::string_view text;
    bool hasHeader = false;
};

bool StartsNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualNoCase(s.substr(0, prefix.size()), prefix);
}

// Calls onLine(line) for every line of text, the line including its '\n' when it has one.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        const size_t len = nl == std::string_view::npos ? text.size() : nl + 1;
        onLine(text.substr(0, len));
        text.remove_prefix(len);
    }
}

// section = "[" name "]"  (blanks around the line and the name are ignored)
bool SectionHeader(std::string_view line, std::string_view* name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    *name = Trim(line.substr(1, line.size() - 2));
    return true;
}

std::vector<Section> SplitSections(std::string_view text) {
    std::vector<Section> sections;
    Section current;
    size_t start = 0;
    size_t pos = 0;
    ForEachLine(text, [&](std::string_view line) {
        std::string_view name;
        if (SectionHeader(line, &name)) {
            current.text = text.substr(start, pos - start);
            if (current.hasHeader || !current.text.empty()) sections.push_back(current);
            current = Section{name, {}, true};
            start = pos;
        }
        pos += line.size();
    });
    current.text = text.substr(start);
    if (current.hasHeader || !current.text.empty()) sections.push_back(current);
    return sections;
}

// entry = key "=" value  (blanks around key and value are ignored)
bool ValueOf(const Section& section, std::string_view key, std::string_view* value) {
    bool found = false;
    bool first = true;
    ForEachLine(section.text, [&](std::string_view line) {
        const bool header = first && section.hasHeader;
        first = false;
        if (found || header) return;
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') return;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || !EqualNoCase(Trim(line.substr(0, eq)), key)) return;
        *value = Trim(line.substr(eq + 1));
        found = true;
    });
    return found;
}

// The registry's own sections: "[CLSID\{guid}]" with the server library and the ProgID, and
// "[ProgID\name]" naming the class back.
constexpr std::string_view kClsidPrefix = "CLSID\\";
constexpr std::string_view kProgIdPrefix = "ProgID\\";
constexpr std::string_view kServerKey = "InprocServer32";
constexpr std::string_view kProgIdKey = "ProgID";
constexpr std::string_view kClsidKey = "CLSID";

bool IsClassSection(const Section& s, const CLSID& clsid) {
    GUID g{};
    return s.hasHeader && StartsNoCase(s.name, kClsidPrefix) &&
           GuidFromString(Trim(s.name.substr(kClsidPrefix.size())), &g) && g == clsid;
}

bool IsProgIdSection(const Section& s, std::string_view progId) {
    return s.hasHeader && StartsNoCase(s.name, kProgIdPrefix) &&
           EqualNoCase(Trim(s.name.substr(kProgIdPrefix.size())), progId);
}

bool ProgIdSectionNames(const Section& s, const CLSID& clsid) {
    std::string_view value;
    GUID g{};
    return s.hasHeader && StartsNoCase(s.name, kProgIdPrefix) && ValueOf(s, kClsidKey, &value) &&
           GuidFromString(value, &g) && g == clsid;
}

// Appends a section of ours, with a blank line before it.
void AppendSection(std::string& out, std::string_view section) {
    if (!out.empty() && out.back() != '\n') out += '\n';
    if (!out.empty() && !out.ends_with("\n\n")) out += '\n';
    out += section;
}

bool ValidProgId(std::string_view progId) {
    if (progId.empty() || progId.size() > 39) return false;
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (!letter(progId.front())) return false;
    for (char c : progId) {
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '.' && c != '_') return false;
    }
    return true;
}

bool ValidPath(std::string_view path) {
    return !path.empty() && path.find_first_of(std::string_view("\r\n\0", 3)) == path.npos &&
           Trim(path) == path;
}

// The registry text; "" for a missing file. False when the file exists but cannot be read.
bool ReadRegistry(const std::string& path, std::string& text) {
    if (ReadFileBytes(path, text)) return true;
    std::error_code ec;
    return !std::filesystem::exists(path, ec) && !ec;
}

bool WriteRegistry(const std::string& path, const std::string& text) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    return WriteFileAtomic(path, text);
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return std::string();
}

}  // namespace

std::string RegistryPath() {
    if (const char* file = std::getenv("QUORIN_REGISTRY"); file && *file) return file;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return std::string(config) + "/quorin/registry.ini";
    const std::string home = HomeFolder();
    if (home.empty()) return std::string();
    return home + "/.config/quorin/registry.ini";
}

bool FindInprocServerIn(std::string_view registryText, const CLSID& clsid,
                        std::string* libraryPath) {
    for (const Section& s : SplitSections(registryText)) {
        std::string_view value;
        if (IsClassSection(s, clsid) && ValueOf(s, kServerKey, &value) && !value.empty()) {
            if (libraryPath) libraryPath->assign(value);
            return true;
        }
    }
    return false;
}

bool FindProgIdIn(std::string_view registryText, std::string_view progId, CLSID* clsid) {
    for (const Section& s : SplitSections(registryText)) {
        std::string_view value;
        if (!IsProgIdSection(s, progId) || !ValueOf(s, kClsidKey, &value)) continue;
        // The first section naming the ProgID decides, even when its CLSID is malformed.
        return GuidFromString(value, clsid);
    }
    return false;
}

std::string WithInprocServer(std::string_view registryText, const CLSID& clsid,
                             std::string_view progId, std::string_view libraryPath) {
    const std::string guid = GuidToString(clsid);
    std::string classSection = "[";
    classSection.append(kClsidPrefix).append(guid).append("]\n");
    classSection.append(kProgIdKey).append("=").append(progId).append("\n");
    classSection.append(kServerKey).append("=").append(libraryPath).append("\n");
    std::string progIdSection = "[";
    progIdSection.append(kProgIdPrefix).append(progId).append("]\n");
    progIdSection.append(kClsidKey).append("=").append(guid).append("\n");

    std::string out;
    if (registryText.empty())
        out = "; Quorin class registry, written by the servers' registration\n";
    bool classPlaced = false;
    bool progIdPlaced = false;
    bool afterOurs = false;
    for (const Section& s : SplitSections(registryText)) {
        if (IsClassSection(s, clsid)) {
            if (!classPlaced) AppendSection(out, classSection);
            classPlaced = afterOurs = true;
        } else if (IsProgIdSection(s, progId)) {
            if (!progIdPlaced) AppendSection(out, progIdSection);
            progIdPlaced = afterOurs = true;
        } else if (!ProgIdSectionNames(s, clsid)) {
            if (afterOurs) out += '\n';
            afterOurs = false;
            out.append(s.text);
        }
    }
    if (!classPlaced) AppendSection(out, classSection);
    if (!progIdPlaced) AppendSection(out, progIdSection);
    return out;
}

std::string WithoutInprocServer(std::string_view registryText, const CLSID& clsid) {
    std::string out;
    for (const Section& s : SplitSections(registryText)) {
        if (!IsClassSection(s, clsid) && !ProgIdSectionNames(s, clsid)) out.append(s.text);
    }
    return out;
}

HRESULT RegisterInprocServer(const CLSID& clsid, std::string_view progId,
                             std::string_view libraryPath) {
    if (!ValidProgId(progId) || !ValidPath(libraryPath)) return E_INVALIDARG;
    try {
        std::error_code ec;
        std::filesystem::path absolute = std::filesystem::absolute(libraryPath, ec);
        if (ec) return E_FAIL;
        const std::string path = RegistryPath();
        std::string text;
        if (path.empty() || !ReadRegistry(path, text)) return E_FAIL;
        const std::string updated =
            WithInprocServer(text, clsid, progId, absolute.lexically_normal().string());
        return WriteRegistry(path, updated) ? S_OK : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT UnregisterInprocServer(const CLSID& clsid) {
    try {
        const std::string path = RegistryPath();
        std::string text;
        if (path.empty() || !ReadRegistry(path, text)) return E_FAIL;
        const std::string updated = WithoutInprocServer(text, clsid);
        if (updated == text) return S_OK;
        return WriteRegistry(path, updated) ? S_OK : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

namespace {

// find(registry text) over the registry file: S_OK when it finds, notFound when it does not or
// the file cannot be read.
template <class Find>
HRESULT FindInRegistry(HRESULT notFound, Find find) {
    try {
        std::string text;
        if (!ReadFileBytes(RegistryPath(), text)) return notFound;
        return find(text) ? S_OK : notFound;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace

HRESULT FindInprocServer(const CLSID& clsid, std::string* libraryPath) {
    return FindInRegistry(REGDB_E_CLASSNOTREG, [&](const std::string& text) {
        return FindInprocServerIn(text, clsid, libraryPath);
    });
}

HRESULT FindProgId(std::string_view progId, CLSID* clsid) {
    return FindInRegistry(CO_E_CLASSSTRING, [&](const std::string& text) {
        return FindProgIdIn(text, progId, clsid);
    });
}

std::string ModulePathOf(const void* address) {
    Dl_info info{};
    if (!address || ::dladdr(address, &info) == 0 || !info.dli_fname) return std::string();
    char resolved[PATH_MAX];
    if (::realpath(info.dli_fname, resolved) == nullptr) return info.dli_fname;
    return resolved;
}

}  // namespace quorin
