// The report settings kept in "cfg/Report.ini": header texts, sixteen section switches, running
// values (nominal values and test-equipment data), the selected test module with its test points,
// and the raw text of the sections "WaveAnalyze" and "HistoryState". Also the fixed English labels
// printed in front of the header values.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorin {

class CIniFile;

enum class LabelGroup { kStation = 0, kDevice, kNominal, kTestEquipment, kGroupTitles };

// The 13 header values, in file order.
enum class HeaderValue {
    kReportTitle = 0,
    kStationName,
    kStationAddress,
    kBayName,
    kBayAddress,
    kTester,
    kDeviceName,
    kDeviceModel,
    kDeviceAddress,
    kDeviceManufacturer,
    kDeviceSerialNumber,
    kDeviceSettingNumber,
    kDeviceAdditionalInfo,
    kCount
};

// The 16 section switches, in file order; a switch is on when it is not 0.
enum class ReportSwitch {
    kStationBay = 0,
    kDeviceInformation,
    kNominalValues,
    kTestEquipment,
    kCommonPara,
    kCharacteristicTable,
    kCharacteristicGraph,
    kWiringLayout,
    kBinary,
    kTestConfig,
    kSettings,
    kTestPointPara,
    kTestPointTable,
    kResultGraph,
    kResultAssess,
    kWaveAnalyze,
    kCount
};

// The 14 running-message values, in file order.
enum class RunningValue {
    kVnom = 0,
    kInom,
    kFnom,
    kVdc,
    kVPrimary,
    kIPrimary,
    kDebounceTime,
    kModel,
    kSerialNumber,
    kCommunicationPort,
    kVmax,
    kImax,
    kTimeBegin,
    kTimeEnd,
    kCount
};

enum class RawDirection { kRead, kWrite };

class CReportSetting {
public:
    static constexpr int kHeaderCount = static_cast<int>(HeaderValue::kCount);
    static constexpr int kSwitchCount = static_cast<int>(ReportSwitch::kCount);
    static constexpr int kRunningCount = static_cast<int>(RunningValue::kCount);
    static constexpr int kTestPointCount = 100;
    static constexpr int kMissingSwitch = 9999;  // a missing key switches its section on
    static constexpr size_t kMinTestPointLength = 10;

    // Labels, the report title "Zelvat实验报告" (ANSI code page), every other text empty and
    // every switch 9999.
    CReportSetting();

    // Reads the 47 rows of the file in order; every missing text reads as empty and every missing
    // or empty switch as 9999. Does nothing for an empty path; otherwise remembers the path.
    void Load(const std::string& path);
    // Writes the 47 rows in the same order, in one atomic replacement of the file. Does nothing
    // for an empty path; otherwise remembers the path. Throws CIniFileException when the file
    // cannot be written; it then stays as it was.
    void Save(const std::string& path);

    // Reads (kRead) or replaces (kWrite) the raw body of one section: the bytes from the end of
    // "[section]" (exact case) up to the next "[". See report_setting.cpp for the write positions.
    // False, text unchanged and the file untouched, when the file cannot be read or replaced.
    static bool IniRawSection(const std::string& path, std::string_view section, std::string& text,
                              RawDirection direction);

    // The path last loaded or saved; empty after construction.
    const std::string& Path() const { return path_; }

    // The labels of a group: 6 station, 7 device, 7 nominal, 7 test-equipment, 4 group titles.
    const std::vector<std::string>& Labels(LabelGroup group) const;

    const std::string& Header(HeaderValue which) const;
    void SetHeader(HeaderValue which, std::string value);

    int Switch(ReportSwitch which) const;
    bool IsOn(ReportSwitch which) const { return Switch(which) != 0; }
    void SetSwitch(ReportSwitch which, int value);
    // By ini key ("NeedBinary"); an unknown key is on (as a missing one reads).
    bool IsOn(std::string_view key) const;
    static const char* SwitchKey(ReportSwitch which);

    const std::string& Running(RunningValue which) const;
    void SetRunning(RunningValue which, std::string value);

    const std::string& ModuleSelect() const { return moduleSelect_; }
    void SetModuleSelect(std::string value) { moduleSelect_ = std::move(value); }
    // Slots 0..99; a file stores the leading slots of at least 10 characters.
    const std::array<std::string, kTestPointCount>& TestPoints() const { return testPoints_; }
    void SetTestPoint(int index, std::string value);  // ignores an index outside 0..99

    const std::string& WaveAnalyze() const { return waveAnalyze_; }
    void SetWaveAnalyze(std::string text) { waveAnalyze_ = std::move(text); }
    const std::string& HistoryState() const { return historyState_; }
    void SetHistoryState(std::string text) { historyState_ = std::move(text); }

private:
    // Remembers path, opens the file and reads or writes its rows under fixed keys in file order;
    // the caller goes on with the test points in the same file.
    CIniFile Exchange(const std::string& path, RawDirection direction);

    std::string path_;
    std::vector<std::string> labels_[5];
    std::array<std::string, kHeaderCount> header_;
    std::array<int, kSwitchCount> switches_;
    std::array<std::string, kRunningCount> running_;
    std::string waveAnalyze_;
    std::string historyState_;
    std::string moduleSelect_;
    std::array<std::string, kTestPointCount> testPoints_;
};

// The raw-section rule on file bytes (what IniRawSection does between reading and writing).
std::string IniRawSectionRead(std::string_view content, std::string_view section);
std::string IniRawSectionWrite(std::string_view content, std::string_view section,
                               std::string_view text);

// ProgramFolder() + "cfg/Report.ini", or "cfg/Report.ini" when the folder cannot be found.
std::string DefaultReportSettingPath();

}  // namespace quorin
