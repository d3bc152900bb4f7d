#include "panel/add_result_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "panel/ansi_text.h"

namespace quorin {

CAddResultDlg::CAddResultDlg(QWidget* parent)
    : CPanelDialog(QStringLiteral("addResultDlg"), QStringLiteral("Add Results"), parent) {
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
    AcceptOnReturn(requirementsEdit_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(nameEdit_);
    layout->addSpacing(4);
    layout->addWidget(requirementsLabel);
    layout->addWidget(requirementsEdit_, 1);
    AddMessageAndButtons(layout);
    setMinimumWidth(460);
    nameEdit_->setFocus();
}

QString CAddResultDlg::NameText() const {
    return nameEdit_->text();
}

QString CAddResultDlg::RequirementsText() const {
    return LfToCrLf(requirementsEdit_->toPlainText());
}

void CAddResultDlg::accept() {
    std::string name;
    std::string requirements;
    QString error;
    if (NameText().trimmed().isEmpty()) {
        // A row without a name would be dropped when the rows go back into the item.
        Refuse(QStringLiteral("Please enter a name."), nameEdit_);
    } else if (!ToAnsi(NameText(), &name, &error)) {
        Refuse(error, nameEdit_);
    } else if (!ToAnsi(RequirementsText(), &requirements, &error)) {
        Refuse(error, requirementsEdit_);
    } else {
        ansiName_ = std::move(name);
        ansiRequirements_ = std::move(requirements);
        QDialog::accept();
    }
}

}  // namespace quorin
