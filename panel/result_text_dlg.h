// CResultTextDlg: "Test Results", the dialog behind a row's "!" button. It shows the row's name
// and its result in a multi-line edit, offers result words, and on OK gives the edited result in
// the ANSI code page. Return accepts (line breaks are not kept in a result), Escape cancels.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <utility>

#include "panel/dialog_parts.h"

class QLabel;
class QPlainTextEdit;

namespace quorin {

class CResultTextDlg : public CPanelDialog {
    Q_OBJECT
public:
    static constexpr int kTextLimit = 10000;
    static constexpr int kNameBreakEvery = 400;
    static constexpr int kResultBreakEvery = 368;

    // The name shows after "Name:" with a line break before it, in lines of at most 400 bytes of
    // the ANSI code page; the result in lines of at most 368 bytes (BrokenEveryAnsiBytes). Both
    // come without line breaks of their own (item texts).
    CResultTextDlg(const QString& name, const QString& result, QWidget* parent = nullptr);

    // The word buttons, in order: "Pass", "Fail", "Satisfy", "Dissatisfy", "Ok", "Incorrect",
    // "Yes", "No".
    static const QStringList& Words();

    // The edit's text with CR LF line breaks.
    QString ResultText() const;
    // The bytes the result was shown from: a byte shown as U+FFFD goes back as that byte.
    void KeepBytesOf(std::string ansi) { shownBytes_ = std::move(ansi); }
    // The accepted result in the ANSI code page (set by OK).
    const std::string& AnsiResult() const { return ansiResult_; }

    // OK: keeps the dialog open with a message when the code page cannot hold the text.
    void accept() override;

private:
    void UseWord(const QString& word);
    void LimitText(int position, int removed, int added);

    QLabel* nameLabel_;
    QPlainTextEdit* edit_;
    int limit_ = kTextLimit;
    bool limiting_ = false;
    std::string ansiResult_;
    std::string shownBytes_;
};

}  // namespace quorin
