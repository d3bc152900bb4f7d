// CAddResultDlg: "Add Results", the dialog behind "Add": a name and the test method and
// requirements of a new row, given back in the ANSI code page on OK. Return accepts, Escape
// cancels.
#pragma once

#include <QString>

#include <string>

#include "panel/dialog_parts.h"

class QLineEdit;
class QPlainTextEdit;

namespace quorin {

class CAddResultDlg : public CPanelDialog {
    Q_OBJECT
public:
    explicit CAddResultDlg(QWidget* parent = nullptr);

    // The texts as typed (requirements with CR LF line breaks).
    QString NameText() const;
    QString RequirementsText() const;
    // The accepted texts in the ANSI code page (set by OK; "" before).
    const std::string& AnsiName() const { return ansiName_; }
    const std::string& AnsiRequirements() const { return ansiRequirements_; }

    // OK: keeps the dialog open with a message when the name is empty (or blanks only) or the
    // code page cannot hold a text.
    void accept() override;

private:
    QLineEdit* nameEdit_;
    QPlainTextEdit* requirementsEdit_;
    std::string ansiName_;
    std::string ansiRequirements_;
};

}  // namespace quorin
