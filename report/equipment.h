// The test equipment a report names: the hardware table (device type and serial number), the
// test-module table (name and version), the automatic-test setting of "cfg/VKM.CFG", and whether
// more than one of the suite's test modules runs.
//
// VKM.CFG is text in which settings are written as key, colon, value and ";" anywhere in the
// text ("Version:2.05;AutoTest:1;AutoTestType:107;"); the first occurrence of a key counts.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "report/report_item.h"

namespace quorin {

// The test modules of the suite by executable file name (lower case).
inline constexpr std::array<const char*, 18> kTestModuleNames = {
    "distance",   "overcurrent", "differential", "directional", "voltage",    "frequency",
    "powerswing", "autoreclose", "synchrocheck", "harmonic",    "stateseq",   "ramping",
    "timing",     "transducer",  "manualtest",   "zonesearch",  "busbarprot", "motorprot"};

// Version used when VKM.CFG is missing, unreadable or holds a version shorter than 3 characters.
inline constexpr const char* kFallbackVersion = "1.78";

// "Hardware Configuration: ", 2 x 2 at (0, 0), height 28: column 0 (width 80) "Device Type" and
// deviceType, column 1 (width 120) "Serial-number" and serialNumber ("$" become blanks).
CReportTable BuildHardwareTable(std::string_view deviceType, std::string_view serialNumber);

// "Test Module Parameter", 2 x 2 at (0, 0), height 28: column 0 "Name " and displayName, column 1
// "Version " and ModuleVersionText. Each column is 8 units wide per character of its longer text.
// moduleFolder (ending in "/") replaces the search for the loaded module when given.
CReportTable BuildModuleTable(std::string_view moduleFileName, std::string_view displayName,
                              const std::string& moduleFolder = {});

// The version from folder + "CFG/VKM.CFG" (or "cfg/VKM.CFG") followed by the module file's
// last-write time, "-DDMM-hhmm" in local time. When the module file cannot be found the version
// stands alone. The folder is the loaded module's, or moduleFolder when given.
std::string ModuleVersionText(std::string_view moduleFileName,
                              const std::string& moduleFolder = {});

// The folder (ending in "/") of the loaded shared object or of the executable whose file name is
// moduleFileName; empty when none is loaded.
std::string LoadedModuleFolder(std::string_view moduleFileName);

// From folder + "cfg/VKM.CFG" (or "CFG/VKM.CFG"), folder defaulting to the running program's:
// 0 when the file cannot be read, "AutoTest:" is absent or its value reads as 0; otherwise atoi
// of "AutoTestType:", or 104 when that key is absent.
int GetAutoTestType(const std::string& folder = {});

// True when the lower-cased fileName is one of kTestModuleNames.
bool IsKnownTestModule(std::string_view fileName);

// True when fewer than two running processes (of procRoot, a /proc-like folder) have a known
// test module as executable; also true when the process list cannot be read.
bool IsSingleTestModule(const std::string& procRoot = "/proc");

// The text between the first occurrence of key and the next ";" after it; empty when either is
// empty, the key is absent or no ";" follows it.
std::string GetBetween(std::string_view text, std::string_view key);

}  // namespace quorin
