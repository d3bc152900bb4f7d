// CPanelDialog: what the panel's dialogs share, so they look and behave alike: a title and the
// panel font, fields top to bottom, a message under them when OK is refused, and "OK" / "Cancel".
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QVBoxLayout;

namespace quorin {

class CPanelDialog : public QDialog {
    Q_OBJECT
public:
    // The message of a refused OK ("" when none).
    QString ErrorText() const;

protected:
    CPanelDialog(const QString& objectName, const QString& title, QWidget* parent);

    // Puts the message (hidden, "errorLabel") and "OK" (the default, "okButton") / "Cancel"
    // ("cancelButton") under the fields of layout. Call after the fields are made: the buttons
    // come last in the Tab order.
    void AddMessageAndButtons(QVBoxLayout* layout);
    // Return and Enter in edit mean OK: the page drops line breaks from the texts anyway.
    void AcceptOnReturn(QPlainTextEdit* edit);
    // Keeps the dialog open with message shown and the focus on what to correct.
    void Refuse(const QString& message, QWidget* focus);
    void HideMessage();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* errorLabel_;
    QPlainTextEdit* acceptOnReturn_ = nullptr;
};

}  // namespace quorin
