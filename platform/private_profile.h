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

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorin {

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

}  // namespace quorin
