// Private-profile (ini) files as Windows programs know them:
//   [Section]
//   Key=Value
//   ; comment
// Section and key names match without regard to ASCII case (the second byte of a double-byte
// character is compared exactly); blanks and tabs around names and values are ignored; a line ends
// at CR LF, LF or a lone CR. Lines before the first section, comments (";" first), lines without
// "=" or with an empty key and "[" lines without "]" are no keys; they are kept as they are. When
// a section or a key appears twice, the first one is read and written, the later one is kept but
// ignored. Values are read whole, however long; matching quotes are not removed.
//
// Writes change only the lines they must: every other byte of the file stays as it was. A new line
// takes the file's own line end (CR LF for a new file). Files are replaced atomically (a new file,
// then a rename), so a failed write leaves the old file intact.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_block.h"

namespace quorin {

// ---- one text in memory --------------------------------------------------------------------

// An ini text read once and then looked up, listed and edited in memory: each lookup costs a
// logarithm, each listing and the final Text a pass over the text, each edit a logarithm plus the
// lines it touches. Edits follow the rules of ProfileSetValue and ProfileDeleteSection below, with
// the same result as applying them one after the other to the text. Only the first 4 GiB of a text
// are read.
class ProfileText {
public:
    explicit ProfileText(std::string_view content);
    ProfileText(const ProfileText&) = delete;
    ProfileText& operator=(const ProfileText&) = delete;

    // As ProfileFindValue, ProfileSectionNames and ProfileKeyNames on the edited text.
    bool FindValue(std::string_view section, std::string_view key, std::string* value) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;
    // As ProfileSetValue and ProfileDeleteSection; false (nothing changed) for unusable names.
    bool SetValue(std::string_view section, std::string_view key,
                  std::optional<std::string_view> value);
    void DeleteSection(std::string_view section);

    // The text with every edit applied.
    std::string Text() const;

private:
    enum class Kind : std::uint8_t { kOther, kSection, kKey };
    // One line: its text in original_ or (owned) in added_, names and values as offsets there.
    struct Line {
        std::uint32_t begin = 0, end = 0;
        std::uint32_t nameBegin = 0, nameEnd = 0, valueBegin = 0, valueEnd = 0;
        std::uint32_t prev = 0, next = 0;  // neighbours in the text; 0xFFFFFFFF at its ends
        std::uint8_t eol = 0;              // kNoEol, kLf, kCr or kCrLf
        Kind kind = Kind::kOther;
        bool blank = true;
        bool owned = false;  // the text lies in added_
        bool removed = false;
        bool firstOfName = false;  // the first section, or key of its section, of its name
    };
    // Lines by name: ordered by a keyed hash of the name, then by the name (so equal names are
    // neighbours, whatever the input), then by place (so the first line of a name comes first).
    struct Named {
        std::uint64_t hash;
        std::uint32_t id;
    };
    using NameIndex = std::vector<Named>;
    // The keys of one section: the lines it had when first asked about, and those added since.
    struct Keys {
        NameIndex byName;
        std::vector<std::uint32_t> added;
        std::uint32_t lastNonBlank = 0;
    };

    std::string_view TextOf(const Line& line) const;
    std::string_view NameOf(std::uint32_t id) const;
    std::string_view ValueOf(std::uint32_t id) const;
    void Classify(Line& line) const;
    std::uint64_t HashOfName(std::string_view name) const;
    void SortByName(NameIndex& index) const;
    std::span<const Named> Matches(const NameIndex& index, std::string_view name) const;
    std::uint32_t AddLine(std::string_view text, std::uint8_t eol, std::uint32_t after);
    void Link(std::uint32_t id, std::uint32_t after);
    void Unlink(std::uint32_t id);
    std::uint8_t LineEnd() const;
    std::uint32_t FirstSection(std::string_view name) const;
    Keys& KeysOf(std::uint32_t header) const;
    std::uint32_t FirstKey(const Keys& keys, std::string_view name) const;

    std::string original_;
    std::string added_;
    mutable std::vector<Line, LargeBlockAllocator<Line>> lines_;
    std::uint32_t head_, tail_;
    std::uint32_t originalLines_ = 0;
    NameIndex sections_;  // the original headers
    std::vector<std::uint32_t> addedSections_;
    mutable std::map<std::uint32_t, Keys> keys_;  // by header, for the sections asked about
    mutable std::string folded_;                  // scratch of HashOfName
};

// ---- on file bytes -------------------------------------------------------------------------

// The value of key in section of the ini text; false when the section or key is absent.
bool ProfileFindValue(std::string_view content, std::string_view section, std::string_view key,
                      std::string* value);

// The section names of the ini text in file order, each name once (spelled as it first appears).
std::vector<std::string> ProfileSectionNames(std::string_view content);

// The key names of section in file order, each once; empty when the section is absent.
std::vector<std::string> ProfileKeyNames(std::string_view content, std::string_view section);

// Sets key in section to value, or removes every line of that key in the section when value is
// nullopt. A missing section is appended at the end; a missing key is added after the section's
// last non-blank line. The value is cut at its first line break or NUL. False (content untouched)
// when the names cannot stand in an ini file: an empty section or key, a section with "]", a key
// with "=" or starting with ";" or "[", or a line break in either.
bool ProfileSetValue(std::string& content, std::string_view section, std::string_view key,
                     std::optional<std::string_view> value);

// Removes every section of that name, header and body up to the next section.
void ProfileDeleteSection(std::string& content, std::string_view section);

// ---- on files ------------------------------------------------------------------------------

// The value of key in section, or defaultValue when the file, the section or the key is absent.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue);

// Section names, and key names of one section, in file order; empty when the file is absent.
std::vector<std::string> ReadProfileSectionNames(const std::string& path);
std::vector<std::string> ReadProfileKeys(const std::string& path, std::string_view section);

// Writes (or, for nullopt, deletes) one key; creates the file on the first write. Deleting from
// a missing file or a missing section succeeds without creating anything. False when the write is
// refused: the names are unusable (see ProfileSetValue), the file is read-only (no write
// permission bit, whoever runs the program) or not a regular file, or the folder cannot take the
// new file.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value);

// Removes a whole section. True when the section is absent; false when the write is refused.
bool DeleteProfileSection(const std::string& path, std::string_view section);

// Whether WriteProfileString and WriteProfileText may write the file: it is missing, or a regular
// file with a write permission bit that this process may write.
bool ProfileWritable(const std::string& path);

// Replaces the file with content in one atomic write. False when the write is refused (see
// ProfileWritable) or fails; the file is then as it was.
bool WriteProfileText(const std::string& path, std::string_view content);

}  // namespace quorin
