// The ANSI code page: texts inside the system are bytes in this code page (GBK for Chinese).
// The code page comes from the environment variable QUORIN_CODEPAGE (an iconv name), default GBK.
// No conversion ever fails or crashes: a byte sequence that is not valid in the source becomes
// U+FFFD, and a character the code page cannot hold becomes "?".
#pragma once

#include <string>
#include <string_view>

namespace quorin {

// The iconv name of the ANSI code page in use.
const std::string& AnsiCodePage();

std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);
std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view utf16);

// Converts without replacement: false when some character cannot be held by the code page (or the
// input is not valid UTF-8); *badOffset then receives the byte offset of the first such character.
bool Utf8ToAnsiStrict(std::string_view utf8, std::string* ansi, size_t* badOffset = nullptr);

}  // namespace quorin
