#include "platform/private_profile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/keyed_hash.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

// Profile lines are trimmed of blanks and tabs only: a CR or LF is part of the line's text.
std::string_view TrimLine(std::string_view s) {
    return Trim(s, " \t");
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

// Orders names as SameName compares them: the bytes with ASCII letters folded, except the second
// byte of a double-byte character. Equal names have the same lead and trail bytes up to the first
// difference, so one flag serves both.
int CompareNames(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    bool trail = false;
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(trail ? a[i] : LowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(trail ? b[i] : LowerAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
        const auto lead = static_cast<unsigned char>(a[i]);
        trail = !trail && lead >= 0x81 && lead <= 0xFE;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

constexpr std::uint32_t kNone = 0xFFFFFFFFu;
constexpr std::uint8_t kNoEol = 0, kLf = 1, kCr = 2, kCrLf = 3;

std::string_view EolText(std::uint8_t eol) {
    switch (eol) {
        case kLf:
            return "\n";
        case kCr:
            return "\r";
        case kCrLf:
            return "\r\n";
        default:
            return {};
    }
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

// ---- ProfileText ----------------------------------------------------------------------------

ProfileText::ProfileText(std::string_view content)
    : original_(content), head_(kNone), tail_(kNone) {
    // Offsets are 32-bit; a text beyond that is read up to its first 4 GiB.
    const std::string_view text = std::string_view(original_).substr(0, 0xFFFFFFF0u);
    lines_.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    for (size_t pos = 0; pos < text.size();) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        std::uint8_t eol = kNoEol;
        size_t next = end;
        if (end < text.size()) {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            eol = crlf ? kCrLf : text[end] == '\r' ? kCr : kLf;
            next = end + (crlf ? 2 : 1);
        }
        Line line;
        line.begin = static_cast<std::uint32_t>(pos);
        line.end = static_cast<std::uint32_t>(end);
        line.eol = eol;
        lines_.push_back(line);
        Classify(lines_.back());
        Link(static_cast<std::uint32_t>(lines_.size() - 1), tail_);
        pos = next;
    }
    originalLines_ = static_cast<std::uint32_t>(lines_.size());
    for (std::uint32_t id = 0; id < originalLines_; ++id)
        if (lines_[id].kind == Kind::kSection) sections_.push_back({0, id});
    SortByName(sections_);
}

std::string_view ProfileText::TextOf(const Line& line) const {
    const std::string& buffer = line.owned ? added_ : original_;
    return std::string_view(buffer).substr(line.begin, line.end - line.begin);
}

std::string_view ProfileText::NameOf(std::uint32_t id) const {
    const Line& line = lines_[id];
    const std::string& buffer = line.owned ? added_ : original_;
    return std::string_view(buffer).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string_view ProfileText::ValueOf(std::uint32_t id) const {
    const Line& line = lines_[id];
    const std::string& buffer = line.owned ? added_ : original_;
    return std::string_view(buffer).substr(line.valueBegin, line.valueEnd - line.valueBegin);
}

// line = blanks ( "[" name "]" rest | ";" comment | key "=" value | other )
void ProfileText::Classify(Line& line) const {
    const std::string_view whole = TextOf(line);
    const std::string_view text = TrimLine(whole);
    const auto at = [&](std::string_view part) {
        return line.begin + static_cast<std::uint32_t>(part.data() - whole.data());
    };
    const auto set = [&](std::string_view name, std::uint32_t& begin, std::uint32_t& end) {
        begin = at(name);
        end = begin + static_cast<std::uint32_t>(name.size());
    };
    line.kind = Kind::kOther;
    line.blank = text.empty();
    if (text.empty() || text.front() == ';') return;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) return;
        line.kind = Kind::kSection;
        set(TrimLine(text.substr(1, close - 1)), line.nameBegin, line.nameEnd);
        return;
    }
    const size_t eq = text.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view name = TrimLine(text.substr(0, eq));
    if (name.empty()) return;
    line.kind = Kind::kKey;
    set(name, line.nameBegin, line.nameEnd);
    set(TrimLine(text.substr(eq + 1)), line.valueBegin, line.valueEnd);
}

// The keyed hash of the name with its letters folded as CompareNames folds them.
std::uint64_t ProfileText::HashOfName(std::string_view name) const {
    folded_.assign(name);
    bool trail = false;
    for (char& c : folded_) {
        const auto byte = static_cast<unsigned char>(c);
        if (!trail) c = LowerAscii(c);
        trail = !trail && byte >= 0x81 && byte <= 0xFE;
    }
    return KeyedHash(ProcessHashKey(), folded_);
}

void ProfileText::SortByName(NameIndex& index) const {
    for (Named& n : index)
        n.hash = HashOfName(NameOf(n.id));
    std::sort(index.begin(), index.end(), [&](const Named& a, const Named& b) {
        if (a.hash != b.hash) return a.hash < b.hash;
        const int order = CompareNames(NameOf(a.id), NameOf(b.id));
        return order != 0 ? order < 0 : a.id < b.id;
    });
    for (size_t i = 0; i < index.size(); ++i)
        lines_[index[i].id].firstOfName =
            i == 0 || index[i - 1].hash != index[i].hash ||
            CompareNames(NameOf(index[i - 1].id), NameOf(index[i].id)) != 0;
}

// The lines of the index named name, in their places' order.
std::span<const ProfileText::Named> ProfileText::Matches(const NameIndex& index,
                                                         std::string_view name) const {
    const std::uint64_t hash = HashOfName(name);
    const auto before = [&](const Named& n) {
        return n.hash != hash ? n.hash < hash : CompareNames(NameOf(n.id), name) < 0;
    };
    const auto first = std::partition_point(index.begin(), index.end(), before);
    auto last = first;
    while (last != index.end() && last->hash == hash && CompareNames(NameOf(last->id), name) == 0)
        ++last;
    return {first, last};
}

// Places line id after line after (kNone: at the end of an empty list).
void ProfileText::Link(std::uint32_t id, std::uint32_t after) {
    Line& line = lines_[id];
    line.prev = after;
    line.next = after == kNone ? kNone : lines_[after].next;
    if (after != kNone) lines_[after].next = id;
    if (line.next != kNone) lines_[line.next].prev = id;
    if (after == kNone) head_ = id;
    if (after == tail_) tail_ = id;
}

void ProfileText::Unlink(std::uint32_t id) {
    Line& line = lines_[id];
    (line.prev == kNone ? head_ : lines_[line.prev].next) = line.next;
    (line.next == kNone ? tail_ : lines_[line.next].prev) = line.prev;
    line.removed = true;
}

// A new line of our own text, placed after line after.
std::uint32_t ProfileText::AddLine(std::string_view text, std::uint8_t eol, std::uint32_t after) {
    Line line;
    line.owned = true;
    line.begin = static_cast<std::uint32_t>(added_.size());
    added_.append(text);
    line.end = static_cast<std::uint32_t>(added_.size());
    line.eol = eol;
    Classify(line);
    lines_.push_back(line);
    const auto id = static_cast<std::uint32_t>(lines_.size() - 1);
    Link(id, after);
    return id;
}

// New lines take the text's own line end: that of its first line break, CR LF without one. Only
// the last line can lack a line end, so the first or second line tells.
std::uint8_t ProfileText::LineEnd() const {
    for (std::uint32_t id = head_; id != kNone; id = lines_[id].next)
        if (lines_[id].eol != kNoEol) return lines_[id].eol == kLf ? kLf : kCrLf;
    return kCrLf;
}

// The first live header of name. DeleteSection removes every section of a name, and a section is
// only added when none of its name is left, so the first original header of the name is live
// when any is, and an added one only when none is.
std::uint32_t ProfileText::FirstSection(std::string_view name) const {
    const auto matches = Matches(sections_, name);
    if (!matches.empty() && !lines_[matches.front().id].removed) return matches.front().id;
    for (const std::uint32_t id : addedSections_)
        if (!lines_[id].removed && SameName(NameOf(id), name)) return id;
    return kNone;
}

ProfileText::Keys& ProfileText::KeysOf(std::uint32_t header) const {
    const auto [it, added] = keys_.try_emplace(header);
    Keys& keys = it->second;
    if (!added) return keys;
    keys.lastNonBlank = header;
    for (std::uint32_t id = lines_[header].next; id != kNone && lines_[id].kind != Kind::kSection;
         id = lines_[id].next) {
        if (!lines_[id].blank) keys.lastNonBlank = id;
        if (lines_[id].kind == Kind::kKey) keys.byName.push_back({0, id});
    }
    SortByName(keys.byName);
    return keys;
}

// The first live line of key name; as for sections, all original lines of a name go together.
std::uint32_t ProfileText::FirstKey(const Keys& keys, std::string_view name) const {
    const auto matches = Matches(keys.byName, name);
    if (!matches.empty() && !lines_[matches.front().id].removed) return matches.front().id;
    for (const std::uint32_t id : keys.added)
        if (!lines_[id].removed && SameName(NameOf(id), name)) return id;
    return kNone;
}

bool ProfileText::FindValue(std::string_view section, std::string_view key,
                            std::string* value) const {
    const std::uint32_t header = FirstSection(TrimLine(section));
    if (header == kNone) return false;
    const std::uint32_t id = FirstKey(KeysOf(header), TrimLine(key));
    if (id == kNone) return false;
    if (value) value->assign(ValueOf(id));
    return true;
}

std::vector<std::string> ProfileText::SectionNames() const {
    std::vector<std::string> names;
    for (std::uint32_t id = head_; id != kNone; id = lines_[id].next) {
        const Line& line = lines_[id];
        if (line.kind == Kind::kSection && (id >= originalLines_ || line.firstOfName))
            names.emplace_back(NameOf(id));
    }
    return names;
}

std::vector<std::string> ProfileText::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const std::uint32_t header = FirstSection(TrimLine(section));
    if (header == kNone) return names;
    KeysOf(header);
    for (std::uint32_t id = lines_[header].next; id != kNone && lines_[id].kind != Kind::kSection;
         id = lines_[id].next) {
        const Line& line = lines_[id];
        if (line.kind == Kind::kKey && (id >= originalLines_ || line.firstOfName))
            names.emplace_back(NameOf(id));
    }
    return names;
}

bool ProfileText::SetValue(std::string_view section, std::string_view key,
                           std::optional<std::string_view> value) {
    section = TrimLine(section);
    key = TrimLine(key);
    if (section.empty() || key.empty() || section.find(']') != std::string_view::npos ||
        HasLineBreak(section) || key.find('=') != std::string_view::npos || HasLineBreak(key) ||
        key.front() == ';' || key.front() == '[')
        return false;
    if (value) value = value->substr(0, value->find_first_of(std::string_view("\r\n\0", 3)));

    const std::uint32_t header = FirstSection(section);
    if (header == kNone) {
        if (!value) return true;
        const std::uint8_t eol = LineEnd();
        if (tail_ != kNone && lines_[tail_].eol == kNoEol) lines_[tail_].eol = eol;
        addedSections_.push_back(AddLine("[" + std::string(section) + "]", eol, tail_));
        Keys& keys = keys_[addedSections_.back()];
        keys.added.push_back(AddLine(std::string(key) + "=" + std::string(*value), eol, tail_));
        keys.lastNonBlank = keys.added.back();
        return true;
    }
    Keys& keys = KeysOf(header);
    if (!value) {
        // Every line of the key goes; new keys then go after the last non-blank line left.
        const auto remove = [&](std::uint32_t id) {
            if (lines_[id].removed) return;
            if (id == keys.lastNonBlank) {
                std::uint32_t before = lines_[id].prev;
                while (before != header && lines_[before].blank)
                    before = lines_[before].prev;
                keys.lastNonBlank = before;
            }
            Unlink(id);
            // A lone CR before the line and an empty LF line after it become one CR LF.
            const std::uint32_t before = lines_[id].prev, after = lines_[id].next;
            if (before != kNone && after != kNone && lines_[before].eol == kCr &&
                lines_[after].eol == kLf && lines_[after].begin == lines_[after].end) {
                lines_[before].eol = kCrLf;
                Unlink(after);
            }
        };
        for (const Named& n : Matches(keys.byName, key))
            remove(n.id);
        for (const std::uint32_t id : keys.added)
            if (SameName(NameOf(id), key)) remove(id);
        return true;
    }
    const std::uint32_t id = FirstKey(keys, key);
    if (id != kNone) {
        // The line keeps its place, its line end and the spelling of its key.
        const std::string text = std::string(NameOf(id)) + "=" + std::string(*value);
        Line& line = lines_[id];
        line.owned = true;
        line.begin = static_cast<std::uint32_t>(added_.size());
        added_.append(text);
        line.end = static_cast<std::uint32_t>(added_.size());
        Classify(line);
        return true;
    }
    const std::uint8_t eol = LineEnd();
    if (lines_[keys.lastNonBlank].eol == kNoEol) lines_[keys.lastNonBlank].eol = eol;
    keys.added.push_back(
        AddLine(std::string(key) + "=" + std::string(*value), eol, keys.lastNonBlank));
    keys.lastNonBlank = keys.added.back();
    return true;
}

void ProfileText::DeleteSection(std::string_view section) {
    section = TrimLine(section);
    std::vector<std::uint32_t> headers;
    for (const Named& n : Matches(sections_, section))
        headers.push_back(n.id);
    for (const std::uint32_t id : addedSections_)
        if (SameName(NameOf(id), section)) headers.push_back(id);
    for (const std::uint32_t header : headers) {
        if (lines_[header].removed) continue;
        std::uint32_t id = header;
        do {
            const std::uint32_t next = lines_[id].next;
            Unlink(id);
            id = next;
        } while (id != kNone && lines_[id].kind != Kind::kSection);
        keys_.erase(header);
    }
}

std::string ProfileText::Text() const {
    std::string text;
    text.reserve(original_.size() + added_.size());
    for (std::uint32_t id = head_; id != kNone; id = lines_[id].next)
        text.append(TextOf(lines_[id])).append(EolText(lines_[id].eol));
    return text;
}

// ---- on file bytes -------------------------------------------------------------------------

bool ProfileFindValue(std::string_view content, std::string_view section, std::string_view key,
                      std::string* value) {
    return ProfileText(content).FindValue(section, key, value);
}

std::vector<std::string> ProfileSectionNames(std::string_view content) {
    return ProfileText(content).SectionNames();
}

std::vector<std::string> ProfileKeyNames(std::string_view content, std::string_view section) {
    return ProfileText(content).KeyNames(section);
}

bool ProfileSetValue(std::string& content, std::string_view section, std::string_view key,
                     std::optional<std::string_view> value) {
    ProfileText text(content);
    if (!text.SetValue(section, key, value)) return false;
    content = text.Text();
    return true;
}

void ProfileDeleteSection(std::string& content, std::string_view section) {
    ProfileText text(content);
    text.DeleteSection(section);
    content = text.Text();
}

// ---- on files ------------------------------------------------------------------------------

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

bool ProfileWritable(const std::string& path) {
    bool exists = false;
    return WritableFile(path, &exists);
}

bool WriteProfileText(const std::string& path, std::string_view content) {
    return ProfileWritable(path) && WriteFileAtomic(path, content);
}

}  // namespace quorin
