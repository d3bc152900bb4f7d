// Small file, folder and date services around reports.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace quorin {

// Replaces the file's content with text (atomically: a failure leaves the old file). False when
// the file cannot be written.
bool WriteTextFile(const std::string& path, std::string_view text);

// The whole file as text, ending at its first NUL byte. False (text emptied) when it cannot be
// read.
bool ReadTextFile(const std::string& path, std::string& text);

// Creates every missing folder of a "/"-separated path, from the root down. True when the whole
// path is a folder afterwards.
bool CreateFolderPath(const std::string& path);

// Deletes everything below the folder, then the folder. Symbolic links are removed themselves,
// never followed. False when the path does not exist or something could not be deleted.
bool DeleteFolder(const std::string& path);

// "%d-%d-%d" (year, month, day) and "%d-%d-%d %d:%d" (with hour and minute), no leading zeros:
// of the local clock, or of the time given.
std::string DateText();
std::string DateText(const std::tm& time);
std::string DateTimeText();
std::string DateTimeText(const std::tm& time);

}  // namespace quorin
