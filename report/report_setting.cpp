#include "report/report_setting.h"

#include <sys/stat.h>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

constexpr const char* kReportSection = "ReportSetting";
constexpr const char* kRunningSection = "RunningMessage";
constexpr const char* kModuleSection = "ModuleConfig";

constexpr const char* kHeaderKeys[CReportSetting::kHeaderCount] = {
    "ReportTitle",         "StationName",
    "StationAddress",      "BayName",
    "BayAddress",          "Tester",
    "DeviceName",          "DeviceModel",
    "DeviceAddress",       "DeviceManufacturer",
    "DeviceSerialNumber",  "DeviceSettingNumber",
    "DeviceAdditionalInfo"};

constexpr const char* kSwitchKeys[CReportSetting::kSwitchCount] = {
    "NeedStationBay",          "NeedDeviceInformation", "NeedNominalValues",
    "NeedTestEquipment",       "NeedCommomPara",        "NeedCharacteristicTable",
    "NeedCharacteristicGraph", "NeedWiringLayout",      "NeedBinary",
    "NeedTestConfig",          "NeedSettings",          "NeedTestPointPara",
    "NeedTestPointTable",      "NeedResultGraph",       "NeedResultAssess",
    "NeedWaveAnalyze"};

constexpr const char* kRunningKeys[CReportSetting::kRunningCount] = {
    "Vnom",     "Inom",         "Fnom",      "Vdc",          "VPrimary",
    "IPrimary", "DebounceTime", "Model",     "SerialNumber", "CommunicationPort",
    "Vmax",     "Imax",         "TimeBegin", "TimeEnd"};

std::string TestPointKey(int index) {
    return CFormat("%s%d", "TestPoint", index);
}

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

bool ReadOnly(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0;
}

// The slot of which in values, or null when which lies outside first..kCount.
template <class Values, class Enum>
auto* SlotOf(Values& values, Enum which, Enum first) {
    return which < first || which >= Enum::kCount ? nullptr : &values[static_cast<size_t>(which)];
}

}  // namespace

CReportSetting::CReportSetting() {
    labels_[static_cast<int>(LabelGroup::kStation)] = {
        "Report Title: ", "Station Name: ", "Station Address: ",
        "Bay Name: ",     "Bay Address: ",  "Tester: "};
    labels_[static_cast<int>(LabelGroup::kDevice)] = {
        "Device Name: ",   "Device Model: ",        "Device Address: ", "Manufacturer: ",
        "Serial Number: ", "Setting List Number: ", "Additional Info: "};
    labels_[static_cast<int>(LabelGroup::kNominal)] = {
        "Vnom: ", "Inom: ", "Fnom: ", "Vdc: ", "V Primary: ", "I Primary: ", "Debounce Time: "};
    labels_[static_cast<int>(LabelGroup::kTestEquipment)] = {
        "Type: ", "Serial Number: ", "CommunicationPort: ", "Vmax: ",
        "Imax: ", "Test Start: ",    "Test End: "};
    labels_[static_cast<int>(LabelGroup::kGroupTitles)] = {
        "Station/Bay Information: ", "Device Information: ", "Nominal Values: ",
        "Test Equipment Information: "};
    header_[static_cast<int>(HeaderValue::kReportTitle)] =
        Utf8ToAnsi("Zelvat\xE5\xAE\x9E\xE9\xAA\x8C\xE6\x8A\xA5\xE5\x91\x8A");
    // Defined rather than left unset: a setting never loaded shows every section.
    switches_.fill(kMissingSwitch);
}

CIniFile CReportSetting::Exchange(const std::string& path, RawDirection direction) {
    path_ = path;
    CIniFile ini(path);
    ini.Open();
    const bool read = direction == RawDirection::kRead;
    auto text = [&](const char* section, const char* key, std::string& value) {
        if (read)
            value = ini.GetString(section, key);
        else
            ini.WriteString(section, key, value);
    };
    for (int i = 0; i < kHeaderCount; ++i)
        text(kReportSection, kHeaderKeys[i], header_[i]);
    for (int i = 0; i < kSwitchCount; ++i) {
        if (read)
            switches_[i] = ini.GetInt(kReportSection, kSwitchKeys[i], kMissingSwitch);
        else
            ini.WriteInt(kReportSection, kSwitchKeys[i], switches_[i]);
    }
    for (int i = 0; i < kRunningCount; ++i)
        text(kRunningSection, kRunningKeys[i], running_[i]);
    text(kModuleSection, "Select", moduleSelect_);
    return ini;
}

void CReportSetting::Load(const std::string& path) {
    if (path.empty()) return;
    const CIniFile ini = Exchange(path, RawDirection::kRead);
    for (int i = 0; i < kTestPointCount; ++i) {
        testPoints_[i] = ini.GetString(kModuleSection, TestPointKey(i));
        if (testPoints_[i].size() < kMinTestPointLength) break;
    }
    IniRawSection(path, "WaveAnalyze", waveAnalyze_, RawDirection::kRead);
    IniRawSection(path, "HistoryState", historyState_, RawDirection::kRead);
}

void CReportSetting::Save(const std::string& path) {
    if (path.empty()) return;
    // One read and one atomic write of the whole file, however many rows change.
    CIniFile ini = Exchange(path, RawDirection::kWrite);
    int written = 0;
    while (written < kTestPointCount && testPoints_[written].size() >= kMinTestPointLength) {
        ini.WriteString(kModuleSection, TestPointKey(written), testPoints_[written]);
        ++written;
    }
    // Test points left from a longer list would come back on the next load; drop them so the
    // file holds exactly the points written (deleting an absent key changes nothing).
    for (int i = written; i < kTestPointCount; ++i)
        ini.DeleteKey(kModuleSection, TestPointKey(i));
    ini.SetText(IniRawSectionWrite(IniRawSectionWrite(ini.Text(), "WaveAnalyze", waveAnalyze_),
                                   "HistoryState", historyState_));
    ini.Commit();
}

std::string IniRawSectionRead(std::string_view content, std::string_view section) {
    const std::string header = "[" + std::string(section) + "]";
    const size_t pos = content.find(header);
    if (pos == std::string_view::npos) return std::string();
    const size_t start = pos + header.size();
    const size_t end = content.find('[', start);
    return std::string(content.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string IniRawSectionWrite(std::string_view content, std::string_view section,
                               std::string_view text) {
    const std::string header = "[" + std::string(section) + "]";
    const size_t pos = content.find(header);
    // Without a following section the body ends, and a new section goes, one byte before the
    // end of the file: the last byte (normally the "\n" of the last line) stays behind it.
    const size_t lastByte = content.empty() ? 0 : content.size() - 1;
    std::string block;
    size_t start, end;
    if (pos != std::string_view::npos) {
        start = pos + header.size();
        end = content.find('[', start);
        if (end == std::string_view::npos) end = lastByte;
        if (end < start) end = start;  // the header closes the file
    } else {
        start = end = lastByte;
        block.append(header).append("\r\n");
    }
    block.append(text).append("\r\n");
    std::string out;
    out.reserve(content.size() + block.size());
    out.append(content.substr(0, start)).append(block).append(content.substr(end));
    return out;
}

bool CReportSetting::IniRawSection(const std::string& path, std::string_view section,
                                   std::string& text, RawDirection direction) {
    std::string content;
    if (!ReadFileBytes(path, content)) return false;
    if (direction == RawDirection::kRead) {
        text = IniRawSectionRead(content, section);
        return true;
    }
    if (ReadOnly(path)) return false;
    return WriteFileAtomic(path, IniRawSectionWrite(content, section, text));
}

const std::vector<std::string>& CReportSetting::Labels(LabelGroup group) const {
    static const std::vector<std::string> none;
    if (group < LabelGroup::kStation || group > LabelGroup::kGroupTitles) return none;
    return labels_[static_cast<int>(group)];
}

const std::string& CReportSetting::Header(HeaderValue which) const {
    const std::string* value = SlotOf(header_, which, HeaderValue::kReportTitle);
    return value ? *value : Empty();
}
void CReportSetting::SetHeader(HeaderValue which, std::string value) {
    if (std::string* slot = SlotOf(header_, which, HeaderValue::kReportTitle))
        *slot = std::move(value);
}

int CReportSetting::Switch(ReportSwitch which) const {
    const int* value = SlotOf(switches_, which, ReportSwitch::kStationBay);
    return value ? *value : kMissingSwitch;
}
void CReportSetting::SetSwitch(ReportSwitch which, int value) {
    if (int* slot = SlotOf(switches_, which, ReportSwitch::kStationBay)) *slot = value;
}

bool CReportSetting::IsOn(std::string_view key) const {
    for (int i = 0; i < kSwitchCount; ++i)
        if (key == kSwitchKeys[i]) return switches_[i] != 0;
    return true;
}

const char* CReportSetting::SwitchKey(ReportSwitch which) {
    if (which < ReportSwitch::kStationBay || which >= ReportSwitch::kCount) return "";
    return kSwitchKeys[static_cast<int>(which)];
}

const std::string& CReportSetting::Running(RunningValue which) const {
    const std::string* value = SlotOf(running_, which, RunningValue::kVnom);
    return value ? *value : Empty();
}
void CReportSetting::SetRunning(RunningValue which, std::string value) {
    if (std::string* slot = SlotOf(running_, which, RunningValue::kVnom)) *slot = std::move(value);
}

void CReportSetting::SetTestPoint(int index, std::string value) {
    if (index < 0 || index >= kTestPointCount) return;
    testPoints_[static_cast<size_t>(index)] = std::move(value);
}

std::string DefaultReportSettingPath() {
    return ProgramFolder() + "cfg/Report.ini";
}

}  // namespace quorin
