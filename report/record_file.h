// The record file: a plain text file to which the report library appends time-stamped records.
// It is never created here; an installation that wants records creates it.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace quorin {

// $QUORIN_RECORD_FILE when set and not empty, else ProgramFolder() + "ZelvatRecord.txt".
std::string RecordFilePath();

// Appends "\r\n", the local time as "%02d:%02d:%02d", "\r\n", message and "\r\n" to the record
// file. A missing or unwritable file drops the record silently.
void AppendRecord(std::string_view message);

// The same with the file and the time given. False (nothing created) when the file is missing or
// cannot be opened for writing.
bool AppendRecord(const std::string& path, std::string_view message, const std::tm& time);

}  // namespace quorin
