// Whole-file reads and writes, and the program folder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorin {

// What a capped read found.
enum class ReadStatus { kRead, kCannotOpen, kTooLarge, kFailed };

// Reads the whole file into out, but never more than limit bytes, whatever it is: a regular
// file, a device (/dev/zero), a FIFO or pipe (read as its writer gives it), a /proc file.
// kTooLarge when there is more; out is emptied unless kRead.
ReadStatus ReadFileLimited(const std::string& path, std::string& out, size_t limit);

// The cap of ReadFileBytes.
inline constexpr size_t kMaxFileBytes = size_t{512} << 20;

// Reads the whole file into out. False (out emptied) when it cannot be opened or read, or holds
// more than kMaxFileBytes.
bool ReadFileBytes(const std::string& path, std::string& out);

// Replaces the file's content with bytes: writes a new file beside it, flushes it and renames it
// over the old one, so a failure at any point leaves the old file intact. An existing file keeps
// its permission bits. False when the folder is not writable or the disk is full.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// The folder of the shared library (or program) that contains this code, ending in "/"; the
// environment variable QUORIN_PROGRAM_DIR overrides it. Empty when it cannot be found.
// Configuration files lie in its "cfg/" subfolder.
std::string ProgramFolder();

// The folder of the running program's executable (from /proc/self/exe), ending in "/".
std::string ExecutableFolder();

}  // namespace quorin
