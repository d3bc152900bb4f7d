#include "panel/ansi_text.h"

#include <QByteArray>

#include <algorithm>

#include "platform/codepage.h"

namespace quorin {

QString FromAnsi(std::string_view ansi) {
    const std::string utf8 = AnsiToUtf8(ansi);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool ToAnsi(const QString& text, std::string* ansi, QString* error) {
    const QByteArray utf8 = text.toUtf8();
    std::string converted;
    size_t bad = 0;
    if (Utf8ToAnsiStrict(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())),
                         &converted, &bad)) {
        if (ansi) *ansi = std::move(converted);
        return true;
    }
    if (error) {
        // The offending character starts at byte `bad`; name it as the tester typed it.
        const size_t from = std::min(bad, static_cast<size_t>(utf8.size()));
        const QString rest =
            QString::fromUtf8(utf8.constData() + from, static_cast<qsizetype>(utf8.size() - from));
        QString character = rest.left(rest.size() > 1 && rest.at(0).isHighSurrogate() ? 2 : 1);
        *error = QStringLiteral(
                     "The character '%1' cannot be stored in the test item (code page %2). "
                     "Please remove it.")
                     .arg(character, QString::fromStdString(AnsiCodePage()));
    }
    return false;
}

QString CrLfToLf(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
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

QString BrokenEvery(const QString& text, int every) {
    if (every < 1) return text;
    QString out;
    out.reserve(text.size() + text.size() / every + 1);
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (count == every) {
            out += QLatin1Char('\n');
            count = 0;
        }
        out += text.at(i);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) out += text.at(++i);
        ++count;
    }
    return out;
}

}  // namespace quorin
