// Texts between the item (bytes in the ANSI code page) and the widgets (QString). Writing back
// never loses a character silently: a character the code page cannot hold is refused with a
// message for the tester.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorin {

// The ANSI bytes as a QString (bytes that are not valid in the code page show as U+FFFD).
QString FromAnsi(std::string_view ansi);

// text in the ANSI code page. False when some character cannot be stored; *ansi is then
// untouched and *error (when not null) says which character, e.g. "The character 'X' cannot be
// stored in the test item (code page GBK). Please remove it."
bool ToAnsi(const QString& text, std::string* ansi, QString* error = nullptr);

// Line breaks are CR LF in item texts and LF in widgets: every CR LF becomes LF, and every LF
// becomes CR LF (text from a widget holds no CR).
QString CrLfToLf(const QString& text);
QString LfToCrLf(const QString& text);

// text with a line break (LF) after every `every` characters (a surrogate pair counts as one);
// unchanged when every is below 1.
QString BrokenEvery(const QString& text, int every);

}  // namespace quorin
