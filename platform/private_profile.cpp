#include "platform/private_profile.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace quorin {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Windows compares profile names with a DBCS-aware case-insensitive compare: a GBK trail byte
// may fall in the ASCII letter range and must not be folded.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lead = static_cast<unsigned char>(a[i]);
        if (lead >= 0x81 && lead <= 0xFE) {
            if (a[i] != b[i]) return false;
            if (i + 1 < a.size()) {
                ++i;
                if (a[i] != b[i]) return false;
            }
            continue;
        }
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

enum class LineKind { kOther, kSection, kKey };

struct Line {
    size_t begin = 0;  // first byte
    size_t end = 0;    // end of the text, before the line end
    size_t next = 0;   // first byte of the next line
    LineKind kind = LineKind::kOther;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
    bool blank = true;
};

// line = blanks ( "[" name "]" rest | ";" comment | key "=" value | other ) line-end
Line ScanLine(std::string_view content, size_t begin) {
    Line line;
    line.begin = begin;
    size_t end = begin;
    while (end < content.size() && content[end] != '\r' && content[end] != '\n')
        ++end;
    line.end = end;
    line.next = end;
    if (line.next < content.size()) {
        if (content[line.next] == '\r' && line.next + 1 < content.size() &&
            content[line.next + 1] == '\n')
            line.next += 2;
        else
            line.next += 1;
    }
    const std::string_view text = Trim(content.substr(begin, end - begin));
    line.blank = text.empty();
    if (text.empty() || text.front() == ';') return line;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::kSection;
            line.name = Trim(text.substr(1, close - 1));
        }
        return line;
    }
    const size_t eq = text.find('=');
    if (eq == std::string_view::npos) return line;
    line.name = Trim(text.substr(0, eq));
    if (line.name.empty()) return line;
    line.kind = LineKind::kKey;
    line.value = Trim(text.substr(eq + 1));
    return line;
}

std::vector<Line> ScanLines(std::string_view content) {
    std::vector<Line> lines;
    for (size_t pos = 0; pos < content.size();) {
        lines.push_back(ScanLine(content, pos));
        pos = lines.back().next;
    }
    return lines;
}

// Index of the first header line of section, or lines.size().
size_t FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == LineKind::kSection && SameName(lines[i].name, section)) return i;
    return lines.size();
}

// One past the last line of the section whose header is at index header.
size_t SectionEnd(const std::vector<Line>& lines, size_t header) {
    size_t i = header + 1;
    while (i < lines.size() && lines[i].kind != LineKind::kSection)
        ++i;
    return i;
}

std::string_view LineEndOf(std::string_view content) {
    const size_t lf = content.find_first_of("\r\n");
    if (lf == std::string_view::npos) return "\r\n";
    if (content[lf] == '\n') return "\n";
    return "\r\n";
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool WritableFile(const std::string& path, bool* exists) {
    struct stat st {};
    *exists = ::stat(path.c_str(), &st) == 0;
    if (!*exists) return true;
    if (!S_ISREG(st.st_mode)) return false;
    // Root may write anything; a file without write bits is still read-only to us, as a file
    // with the read-only attribute is on Windows.
    if ((st.st_mode & 0222) == 0) return false;
    return ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

bool ProfileFindValue(std::string_view content, std::string_view section, std::string_view key,
                      std::string* value) {
    section = Trim(section);
    key = Trim(key);
    bool inSection = false;
    for (size_t pos = 0; pos < content.size();) {
        const Line line = ScanLine(content, pos);
        pos = line.next;
        if (line.kind == LineKind::kSection) {
            // Only the first section of a name counts.
            if (inSection) return false;
            inSection = SameName(line.name, section);
        } else if (inSection && line.kind == LineKind::kKey && SameName(line.name, key)) {
            if (value) value->assign(line.value);
            return true;
        }
    }
    return false;
}

std::vector<std::string> ProfileSectionNames(std::string_view content) {
    std::vector<std::string> names;
    for (size_t pos = 0; pos < content.size();) {
        const Line line = ScanLine(content, pos);
        pos = line.next;
        if (line.kind != LineKind::kSection) continue;
        bool seen = false;
        for (const auto& n : names)
            seen = seen || SameName(n, line.name);
        if (!seen) names.emplace_back(line.name);
    }
    return names;
}

std::vector<std::string> ProfileKeyNames(std::string_view content, std::string_view section) {
    section = Trim(section);
    std::vector<std::string> names;
    bool inSection = false;
    for (size_t pos = 0; pos < content.size();) {
        const Line line = ScanLine(content, pos);
        pos = line.next;
        if (line.kind == LineKind::kSection) {
            if (inSection) break;
            inSection = SameName(line.name, section);
        } else if (inSection && line.kind == LineKind::kKey) {
            bool seen = false;
            for (const auto& n : names)
                seen = seen || SameName(n, line.name);
            if (!seen) names.emplace_back(line.name);
        }
    }
    return names;
}

bool ProfileSetValue(std::string& content, std::string_view section, std::string_view key,
                     std::optional<std::string_view> value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || section.find(']') != std::string_view::npos ||
        HasLineBreak(section) || key.find('=') != std::string_view::npos || HasLineBreak(key) ||
        key.front() == ';' || key.front() == '[')
        return false;
    if (value) value = value->substr(0, value->find_first_of(std::string_view("\r\n\0", 3)));

    const std::vector<Line> lines = ScanLines(content);
    const std::string_view eol = LineEndOf(content);
    const size_t header = FindSection(lines, section);
    if (header == lines.size()) {
        if (!value) return true;
        std::string block;
        if (!content.empty() && content.back() != '\n' && content.back() != '\r') block += eol;
        block.append("[").append(section).append("]").append(eol);
        block.append(key).append("=").append(*value).append(eol);
        content += block;
        return true;
    }
    const size_t end = SectionEnd(lines, header);
    size_t keyLine = end;
    for (size_t i = header + 1; i < end; ++i) {
        if (lines[i].kind == LineKind::kKey && SameName(lines[i].name, key)) {
            keyLine = i;
            break;
        }
    }
    if (!value) {
        // Back to front, so that earlier offsets stay valid.
        for (size_t i = end; i-- > header + 1;)
            if (lines[i].kind == LineKind::kKey && SameName(lines[i].name, key))
                content.erase(lines[i].begin, lines[i].next - lines[i].begin);
        return true;
    }
    if (keyLine != end) {
        const Line& l = lines[keyLine];
        std::string text(l.name);
        text.append("=").append(*value);
        content.replace(l.begin, l.end - l.begin, text);
        return true;
    }
    size_t last = header;
    for (size_t i = header + 1; i < end; ++i)
        if (!lines[i].blank) last = i;
    const Line& after = lines[last];
    std::string block;
    if (after.next == after.end) block += eol;  // the file ended without a line end
    block.append(key).append("=").append(*value).append(eol);
    content.insert(after.next, block);
    return true;
}

void ProfileDeleteSection(std::string& content, std::string_view section) {
    section = Trim(section);
    const std::vector<Line> lines = ScanLines(content);
    for (size_t i = lines.size(); i-- > 0;) {
        if (lines[i].kind != LineKind::kSection || !SameName(lines[i].name, section)) continue;
        const size_t end = SectionEnd(lines, i);
        const size_t stop = end < lines.size() ? lines[end].begin : content.size();
        content.erase(lines[i].begin, stop - lines[i].begin);
    }
}

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    std::string content;
    std::string value;
    if (ReadFileBytes(path, content) && ProfileFindValue(content, section, key, &value))
        return value;
    return std::string(defaultValue);
}

std::vector<std::string> ReadProfileSectionNames(const std::string& path) {
    std::string content;
    if (!ReadFileBytes(path, content)) return {};
    return ProfileSectionNames(content);
}

std::vector<std::string> ReadProfileKeys(const std::string& path, std::string_view section) {
    std::string content;
    if (!ReadFileBytes(path, content)) return {};
    return ProfileKeyNames(content, section);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
    bool exists = false;
    if (!WritableFile(path, &exists)) return false;
    std::string content;
    if (exists && !ReadFileBytes(path, content)) return false;
    const std::string before = content;
    if (!ProfileSetValue(content, section, key, value)) return false;
    if (content == before && (exists || !value)) return true;
    return WriteFileAtomic(path, content);
}

bool DeleteProfileSection(const std::string& path, std::string_view section) {
    bool exists = false;
    if (!WritableFile(path, &exists)) return false;
    if (!exists) return true;
    std::string content;
    if (!ReadFileBytes(path, content)) return false;
    const size_t before = content.size();
    ProfileDeleteSection(content, section);
    if (content.size() == before) return true;
    return WriteFileAtomic(path, content);
}

}  // namespace quorin
