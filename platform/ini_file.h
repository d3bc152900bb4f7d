// One ini file read and written by section and key through the private-profile layer
// (platform/private_profile.h). Reads never fail: a missing file, section or key gives the
// default. A refused write throws CIniFileException.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorin {

class CIniFileException : public std::runtime_error {
public:
    explicit CIniFileException(const std::string& message) : std::runtime_error(message) {}
};

class ProfileText;

class CIniFile {
public:
    CIniFile();
    explicit CIniFile(std::string path);
    CIniFile(CIniFile&&) noexcept;
    CIniFile& operator=(CIniFile&&) noexcept;
    ~CIniFile();

    void SetPath(std::string path) { path_ = std::move(path); }
    const std::string& Path() const { return path_; }

    // The value, read whole and cut at its first NUL; defaultValue when absent.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue = {}) const;
    // atoi of the value (leading blanks, sign, digits; no digits gives 0); defaultValue when the
    // value is absent or empty.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Throw CIniFileException when the write is refused (read-only file or folder, unusable name).
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInt(std::string_view section, std::string_view key, int value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);

    // Empty the list, then fill it in file order.
    void GetKeys(std::string_view section, std::vector<std::string>& keys) const;
    void GetSectionNames(std::vector<std::string>& sections) const;
    // True when the section has at least one key.
    bool SectionExists(std::string_view section) const;

    // Reads the file once (a missing one as empty): from then on every read and write of this
    // object works on that text in memory, each a logarithm or one pass over it, and nothing is
    // written before Commit. Without Open every call reads, and every write replaces, the file.
    void Open();
    // Writes the text held since Open back in one atomic replacement, when any write was asked
    // for and the text changed. Throws CIniFileException when the write is refused (the file is
    // then as it was); a write asked for on a read-only file is refused even if it changed
    // nothing, as it is without Open.
    void Commit();
    // The text held since Open (empty before Open), and its replacement, for edits beyond keys
    // and sections such as raw section bodies.
    std::string Text() const;
    void SetText(std::string_view text);

private:
    bool Write(std::string_view section, std::string_view key,
               std::optional<std::string_view> value);
    // The text held since Open, parsed; null without Open.
    ProfileText* Held() const;

    std::string path_;
    bool open_ = false;
    mutable std::unique_ptr<ProfileText> held_;
    mutable std::optional<std::string> replaced_;  // set by SetText, parsed when next needed
    std::string opened_;    // the file's content when it was opened or last committed
    bool written_ = false;  // a write was asked for since Open or the last Commit
};

}  // namespace quorin
