#include "panel/result_text_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

#include "panel/ansi_text.h"
#include "panel/panel_style.h"

namespace quorin {

const QStringList& CResultTextDlg::Words() {
    static const QStringList words = {QStringLiteral("Pass"),    QStringLiteral("Fail"),
                                      QStringLiteral("Satisfy"), QStringLiteral("Dissatisfy"),
                                      QStringLiteral("Ok"),      QStringLiteral("Incorrect"),
                                      QStringLiteral("Yes"),     QStringLiteral("No")};
    return words;
}

CResultTextDlg::CResultTextDlg(const QString& name, const QString& result, QWidget* parent)
    : CPanelDialog(QStringLiteral("resultTextDlg"), QStringLiteral("Test Results"), parent) {
    nameLabel_ = new QLabel(this);
    nameLabel_->setObjectName(QStringLiteral("nameLabel"));
    nameLabel_->setFont(PanelFont(18));
    nameLabel_->setTextFormat(Qt::PlainText);
    nameLabel_->setWordWrap(true);
    nameLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    nameLabel_->setText(QStringLiteral("Name:\n") + BrokenEveryAnsiBytes(name, kNameBreakEvery));
    // A long name scrolls instead of stretching the dialog.
    auto* nameArea = new QScrollArea(this);
    nameArea->setObjectName(QStringLiteral("nameArea"));
    nameArea->setWidget(nameLabel_);
    nameArea->setWidgetResizable(true);
    nameArea->setFrameShape(QFrame::NoFrame);
    nameArea->setFocusPolicy(Qt::NoFocus);
    const int line = nameLabel_->fontMetrics().lineSpacing();
    nameArea->setMinimumHeight(2 * line + 6);
    nameArea->setMaximumHeight(6 * line + 6);

    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName(QStringLiteral("resultEdit"));
    edit_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    edit_->setTabChangesFocus(true);
    edit_->setPlainText(BrokenEveryAnsiBytes(result, kResultBreakEvery));
    edit_->moveCursor(QTextCursor::End);
    edit_->setMinimumHeight(6 * edit_->fontMetrics().lineSpacing());
    // A text that came in longer than the limit stays whole; it only may not grow.
    limit_ = std::max(kTextLimit, edit_->document()->characterCount() - 1);
    connect(edit_->document(), &QTextDocument::contentsChange, this, &CResultTextDlg::LimitText);
    AcceptOnReturn(edit_);

    auto* words = new QGroupBox(QStringLiteral("Select Test Result"), this);
    words->setObjectName(QStringLiteral("wordGroup"));
    auto* wordGrid = new QGridLayout(words);
    for (int i = 0; i < Words().size(); ++i) {
        const QString& word = Words().at(i);
        auto* button = new QPushButton(word, words);
        button->setObjectName(QStringLiteral("word") + word);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, word] { UseWord(word); });
        wordGrid->addWidget(button, i / 4, i % 4);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameArea);
    layout->addWidget(edit_, 1);
    layout->addWidget(words);
    AddMessageAndButtons(layout);
    setMinimumWidth(560);
    edit_->setFocus();
}

QString CResultTextDlg::ResultText() const {
    return LfToCrLf(edit_->toPlainText());
}

void CResultTextDlg::accept() {
    std::string ansi;
    QString error;
    if (!ToAnsi(ResultText(), &ansi, &error, shownBytes_)) {
        Refuse(error, edit_);
        return;
    }
    ansiResult_ = std::move(ansi);
    QDialog::accept();
}

void CResultTextDlg::UseWord(const QString& word) {
    edit_->setPlainText(word);
    edit_->moveCursor(QTextCursor::End);
    HideMessage();
}

void CResultTextDlg::LimitText(int position, int, int added) {
    if (limiting_ || added <= 0) return;
    QTextDocument* document = edit_->document();
    const int length = document->characterCount() - 1;
    const int excess = length - limit_;
    if (excess <= 0) return;
    // Drop the end of what was just typed or pasted, as an edit control with a limit does.
    const int end = std::min(position + added, length);
    const int start = std::max(position, end - excess);
    limiting_ = true;
    QTextCursor cursor(document);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    limiting_ = false;
}

}  // namespace quorin
