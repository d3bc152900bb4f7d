#include "panel/add_result_dlg.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "panel/ansi_text.h"
#include "panel/dialog_parts.h"
#include "panel/panel_style.h"

namespace quorin {

CAddResultDlg::CAddResultDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("addResultDlg"));
    setWindowTitle(QStringLiteral("Add Results"));
    setFont(PanelFont(16));

    auto* nameLabel = new QLabel(QStringLiteral("Name"), this);
    nameLabel->setObjectName(QStringLiteral("nameLabel"));
    nameLabel->setTextFormat(Qt::PlainText);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));

    auto* requirementsLabel = new QLabel(QStringLiteral("Test Method & Requires"), this);
    requirementsLabel->setObjectName(QStringLiteral("requirementsLabel"));
    requirementsLabel->setTextFormat(Qt::PlainText);
    requirementsEdit_ = new QPlainTextEdit(this);
    requirementsEdit_->setObjectName(QStringLiteral("requirementsEdit"));
    requirementsEdit_->setTabChangesFocus(true);
    requirementsEdit_->setMinimumHeight(5 * requirementsEdit_->fontMetrics().lineSpacing());
    requirementsEdit_->installEventFilter(this);

    errorLabel_ = MakeErrorLabel(this);

    QDialogButtonBox* buttons = MakeOkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(nameEdit_);
    layout->addSpacing(4);
    layout->addWidget(requirementsLabel);
    layout->addWidget(requirementsEdit_, 1);
    layout->addWidget(errorLabel_);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    nameEdit_->setFocus();
}

QString CAddResultDlg::NameText() const {
    return nameEdit_->text();
}

QString CAddResultDlg::RequirementsText() const {
    return LfToCrLf(requirementsEdit_->toPlainText());
}

QString CAddResultDlg::ErrorText() const {
    return errorLabel_->isHidden() ? QString() : errorLabel_->text();
}

void CAddResultDlg::accept() {
    std::string name;
    std::string requirements;
    QString error;
    if (NameText().trimmed().isEmpty()) {
        // A row without a name would be dropped when the rows go back into the item.
        error = QStringLiteral("Please enter a name.");
        nameEdit_->setFocus();
    } else if (!ToAnsi(NameText(), &name, &error)) {
        nameEdit_->setFocus();
    } else if (!ToAnsi(RequirementsText(), &requirements, &error)) {
        requirementsEdit_->setFocus();
    } else {
        ansiName_ = std::move(name);
        ansiRequirements_ = std::move(requirements);
        QDialog::accept();
        return;
    }
    errorLabel_->setText(error);
    errorLabel_->show();
}

bool CAddResultDlg::eventFilter(QObject* watched, QEvent* event) {
    // The page drops line breaks from a new row's texts, so Return is better spent on OK.
    if (watched == requirementsEdit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quorin
