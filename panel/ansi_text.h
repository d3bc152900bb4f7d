// Texts between the item (bytes in the ANSI code page) and the widgets (QString). Writing back
// never loses a character silently: a character the code page cannot hold is refused with a
// message for the tester, and a byte the code page cannot show (shown as U+FFFD) goes back as
// the byte it was.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorin {

// The ANSI bytes as a QString; each byte that no mapping of the code page holds shows as U+FFFD.
QString FromAnsi(std::string_view ansi);

// text in the ANSI code page. original is the text's bytes before the edit (FromAnsi(original)
// was shown): a U+FFFD in the unchanged start or end of the text (line breaks aside) that stands
// where original had a byte shown as U+FFFD gives that byte back. False when some character
// cannot be stored (any other U+FFFD too); *ansi is then untouched and *error (when not null)
// says which character, e.g. "The character 'X' cannot be stored in the test item (code page
// GBK). Please remove it."
bool ToAnsi(const QString& text, std::string* ansi, QString* error = nullptr,
            std::string_view original = {});

// Line breaks are CR LF in item texts and LF in widgets: every LF becomes CR LF (text from a
// widget holds no CR).
QString LfToCrLf(const QString& text);

// text in lines of at most `every` bytes of the ANSI code page, as the item stores it: a line
// break (LF) once a line is full or before a character that would not fit in it. A character the
// code page cannot hold counts as one byte (it stands for one). Unchanged when every is below 1.
QString BrokenEveryAnsiBytes(const QString& text, int every);

}  // namespace quorin
