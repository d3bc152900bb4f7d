#include "panel/ansi_text.h"

#include <algorithm>
#include <vector>

#include "platform/codepage.h"

namespace quorin {

QString FromAnsi(std::string_view ansi) {
    std::u16string text = AnsiToUtf16(ansi);
    for (char16_t& c : text)
        if (IsByteEscape(c)) c = u'\uFFFD';
    return QString::fromStdU16String(text);
}

namespace {

bool IsLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// Gives each U+FFFD of edited that stands where before has an escaped byte that escape, over the
// longest common start and then the longest common end of the two (line breaks skipped).
void RestoreEscapes(std::u16string& edited, const std::u16string& before) {
    auto same = [](char16_t now, char16_t was) {
        return now == was || (now == u'\uFFFD' && IsByteEscape(was));
    };
    std::vector<size_t> e, b;  // positions of the characters other than line breaks
    for (size_t i = 0; i < edited.size(); ++i)
        if (!IsLineBreak(edited[i])) e.push_back(i);
    for (size_t i = 0; i < before.size(); ++i)
        if (!IsLineBreak(before[i])) b.push_back(i);
    size_t start = 0;
    for (; start < e.size() && start < b.size() && same(edited[e[start]], before[b[start]]);
         ++start)
        edited[e[start]] = before[b[start]];
    for (size_t end = 1; end <= e.size() - start && end <= b.size() - start; ++end) {
        char16_t& now = edited[e[e.size() - end]];
        const char16_t was = before[b[b.size() - end]];
        if (!same(now, was)) break;
        now = was;
    }
}

}  // namespace

bool ToAnsi(const QString& text, std::string* ansi, QString* error, std::string_view original) {
    std::u16string edited = text.toStdU16String();
    // A widget carries no bytes: a lone surrogate typed there is as foreign as U+FFFD.
    for (char16_t& c : edited)
        if (IsByteEscape(c)) c = u'\uFFFD';
    if (!original.empty()) RestoreEscapes(edited, AnsiToUtf16(original));
    std::string converted;
    size_t bad = 0;
    if (Utf16ToAnsiStrict(edited, &converted, &bad)) {
        if (ansi) *ansi = std::move(converted);
        return true;
    }
    if (error) {
        // Name the offending character as the tester typed it.
        const QString rest = text.mid(static_cast<qsizetype>(bad));
        const QString character =
            rest.left(rest.size() > 1 && rest.at(0).isHighSurrogate() ? 2 : 1);
        *error = QStringLiteral(
                     "The character '%1' cannot be stored in the test item (code page %2). "
                     "Please remove it.")
                     .arg(character, QString::fromStdString(AnsiCodePage()));
    }
    return false;
}

QString LfToCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) out += QLatin1Char('\r');
        out += c;
    }
    return out;
}

QString BrokenEveryAnsiBytes(const QString& text, int every) {
    if (every < 1) return text;
    QString out;
    out.reserve(text.size() + text.size() / every + 1);
    int bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).mid(i, length);
        int size = 1;
        if (character.size() > 1 || character.at(0).unicode() >= 0x80) {
            std::string ansi;
            if (Utf16ToAnsiStrict(
                    std::u16string_view(reinterpret_cast<const char16_t*>(character.utf16()),
                                        static_cast<size_t>(character.size())),
                    &ansi))
                size = std::max<int>(1, static_cast<int>(ansi.size()));
        }
        if (bytes > 0 && bytes + size > every) {
            out += QLatin1Char('\n');
            bytes = 0;
        }
        out += character;
        bytes += size;
        i += length;
    }
    return out;
}

}  // namespace quorin
