#include "platform/ini_file.h"

#include "platform/files.h"
#include "platform/numtext.h"
#include "platform/private_profile.h"

namespace quorin {
namespace {

[[noreturn]] void Refused(const std::string& path, std::string_view what) {
    throw CIniFileException("Cannot write " + std::string(what) + " to the ini file '" + path +
                            "': the file or its folder is read-only or missing, or the name "
                            "cannot stand in an ini file.");
}

[[noreturn]] void CommitRefused(const std::string& path) {
    throw CIniFileException("Cannot write the ini file '" + path +
                            "': the file or its folder is read-only or missing.");
}

std::string KeyText(std::string_view section, std::string_view key) {
    return "key '" + std::string(key) + "' of section '" + std::string(section) + "'";
}

}  // namespace

CIniFile::CIniFile() = default;
CIniFile::CIniFile(std::string path) : path_(std::move(path)) {}
CIniFile::CIniFile(CIniFile&&) noexcept = default;
CIniFile& CIniFile::operator=(CIniFile&&) noexcept = default;
CIniFile::~CIniFile() = default;

void CIniFile::Open() {
    ReadFileBytes(path_, opened_);
    held_ = std::make_unique<ProfileText>(opened_);
    replaced_.reset();
    open_ = true;
    written_ = false;
}

ProfileText* CIniFile::Held() const {
    if (!open_) return nullptr;
    if (replaced_) {
        held_ = std::make_unique<ProfileText>(*replaced_);
        replaced_.reset();
    }
    return held_.get();
}

void CIniFile::Commit() {
    if (!open_ || !written_) return;
    if (!ProfileWritable(path_)) CommitRefused(path_);
    std::string text = Text();
    if (text != opened_ && !WriteProfileText(path_, text)) CommitRefused(path_);
    opened_ = std::move(text);
    written_ = false;
}

std::string CIniFile::Text() const {
    if (!open_) return {};
    return replaced_ ? *replaced_ : held_->Text();
}

void CIniFile::SetText(std::string_view text) {
    if (!open_) return;
    // Parsed again only when a key is next asked for: a save that ends with raw sections writes
    // the text as it is.
    replaced_.emplace(text);
    held_.reset();
    written_ = true;
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    std::string value;
    const ProfileText* held = Held();
    if (!held) {
        value = ReadProfileString(path_, section, key, defaultValue);
    } else if (!held->FindValue(section, key, &value)) {
        value.assign(defaultValue);
    }
    const size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    return value;
}

int CIniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string text = GetString(section, key);
    return text.empty() ? defaultValue : CAtoi(text);
}

void CIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!Write(section, key, value)) Refused(path_, KeyText(section, key));
}

void CIniFile::WriteInt(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, FormatInt(value));
}

void CIniFile::DeleteKey(std::string_view section, std::string_view key) {
    if (!Write(section, key, std::nullopt))
        Refused(path_, "the deletion of " + KeyText(section, key));
}

bool CIniFile::Write(std::string_view section, std::string_view key,
                     std::optional<std::string_view> value) {
    ProfileText* held = Held();
    if (!held) return WriteProfileString(path_, section, key, value);
    written_ = true;
    return held->SetValue(section, key, value);
}

void CIniFile::DeleteSection(std::string_view section) {
    if (ProfileText* held = Held()) {
        held->DeleteSection(section);
        written_ = true;
    } else if (!DeleteProfileSection(path_, section)) {
        Refused(path_, "the deletion of section '" + std::string(section) + "'");
    }
}

void CIniFile::GetKeys(std::string_view section, std::vector<std::string>& keys) const {
    const ProfileText* held = Held();
    keys = held ? held->KeyNames(section) : ReadProfileKeys(path_, section);
}

void CIniFile::GetSectionNames(std::vector<std::string>& sections) const {
    const ProfileText* held = Held();
    sections = held ? held->SectionNames() : ReadProfileSectionNames(path_);
}

bool CIniFile::SectionExists(std::string_view section) const {
    std::vector<std::string> keys;
    GetKeys(section, keys);
    return !keys.empty();
}

}  // namespace quorin
