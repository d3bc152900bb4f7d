#include "platform/ini_file.h"

#include "platform/numtext.h"
#include "platform/private_profile.h"

namespace quorin {
namespace {

[[noreturn]] void Refused(const std::string& path, std::string_view what) {
    throw CIniFileException("Cannot write " + std::string(what) + " to the ini file '" + path +
                            "': the file or its folder is read-only or missing, or the name "
                            "cannot stand in an ini file.");
}

std::string KeyText(std::string_view section, std::string_view key) {
    return "key '" + std::string(key) + "' of section '" + std::string(section) + "'";
}

}  // namespace

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    std::string value = ReadProfileString(path_, section, key, defaultValue);
    const size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    return value;
}

int CIniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string text = GetString(section, key);
    return text.empty() ? defaultValue : CAtoi(text);
}

void CIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!WriteProfileString(path_, section, key, value)) Refused(path_, KeyText(section, key));
}

void CIniFile::WriteInt(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, FormatInt(value));
}

void CIniFile::DeleteKey(std::string_view section, std::string_view key) {
    if (!WriteProfileString(path_, section, key, std::nullopt))
        Refused(path_, "the deletion of " + KeyText(section, key));
}

void CIniFile::DeleteSection(std::string_view section) {
    if (!DeleteProfileSection(path_, section))
        Refused(path_, "the deletion of section '" + std::string(section) + "'");
}

void CIniFile::GetKeys(std::string_view section, std::vector<std::string>& keys) const {
    keys = ReadProfileKeys(path_, section);
}

void CIniFile::GetSectionNames(std::vector<std::string>& sections) const {
    sections = ReadProfileSectionNames(path_);
}

bool CIniFile::SectionExists(std::string_view section) const {
    return !ReadProfileKeys(path_, section).empty();
}

}  // namespace quorin
