// One ini file read and written by section and key through the private-profile layer
// (platform/private_profile.h). Reads never fail: a missing file, section or key gives the
// default. A refused write throws CIniFileException.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorin {

class CIniFileException : public std::runtime_error {
public:
    explicit CIniFileException(const std::string& message) : std::runtime_error(message) {}
};

class CIniFile {
public:
    CIniFile() = default;
    explicit CIniFile(std::string path) : path_(std::move(path)) {}

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

private:
    std::string path_;
};

}  // namespace quorin
