#include "panel/dialog_parts.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "panel/panel_style.h"

namespace quorin {

CPanelDialog::CPanelDialog(const QString& objectName, const QString& title, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(title);
    setFont(PanelFont(16));
    errorLabel_ = new QLabel(this);
    errorLabel_->setObjectName(QStringLiteral("errorLabel"));
    errorLabel_->setTextFormat(Qt::PlainText);
    errorLabel_->setWordWrap(true);
    errorLabel_->setStyleSheet(QStringLiteral("color: #B00000;"));
    errorLabel_->hide();
}

QString CPanelDialog::ErrorText() const {
    return errorLabel_->isHidden() ? QString() : errorLabel_->text();
}

void CPanelDialog::AddMessageAndButtons(QVBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // The texts are set rather than left to the platform theme: testers see the same words on
    // every desktop.
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setText(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(errorLabel_);
    layout->addWidget(buttons);
}

void CPanelDialog::AcceptOnReturn(QPlainTextEdit* edit) {
    acceptOnReturn_ = edit;
    edit->installEventFilter(this);
}

void CPanelDialog::Refuse(const QString& message, QWidget* focus) {
    errorLabel_->setText(message);
    errorLabel_->show();
    focus->setFocus();
}

void CPanelDialog::HideMessage() {
    errorLabel_->hide();
}

bool CPanelDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == acceptOnReturn_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quorin
