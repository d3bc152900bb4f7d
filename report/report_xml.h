// Reports stored as XML files: the items in order, each with its title, graphs, three lists of
// text lines and its tables down to the single cell. Texts are ANSI code page bytes in memory and
// UTF-8 in the file; in report texts every blank is stored as "$" (graph texts keep blanks).
// Errors are English sentences for the user; nothing here throws.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_item.h"

namespace quorin {

// Files larger than this are refused by ImportXml.
inline constexpr std::size_t kMaxReportXmlBytes = std::size_t{512} << 20;

// Writes the items to path (atomically). Every item title gets "$" for its blanks, in memory too.
// False, with *error set and the old file intact, when the file cannot be written.
bool ExportXml(std::vector<CReportItem>& items, const std::string& path, std::string* error);

// The bytes ExportXml writes (titles changed in memory as there).
std::string ExportXmlText(std::vector<CReportItem>& items);

// Empties items, then appends one item per FullTable of the file. A file in UTF-16 or UTF-32 (by
// its byte order mark) or declaring another encoding than UTF-8 is converted first. False, with
// *error set, when the file cannot be read, holds more than kMaxReportXmlBytes (whatever kind
// of file it is), is in an encoding that is unknown or that its bytes break, is not XML or lacks
// a container element; the items completed before the fault stay in the list. Any nesting depth
// is read without recursion. Imported texts keep their "$"; an imported cell has the default
// height.
bool ImportXml(const std::string& path, std::vector<CReportItem>& items, std::string* error);

// As ImportXml, from the file's bytes.
bool ImportXmlText(std::string_view text, std::vector<CReportItem>& items, std::string* error);

}  // namespace quorin
