// Parts the panel's dialogs share, so they look and behave alike.
#pragma once

class QDialog;
class QDialogButtonBox;
class QLabel;

namespace quorin {

// A hidden, word-wrapped, dark-red plain-text label (object name "errorLabel") for refusals.
QLabel* MakeErrorLabel(QDialog* dialog);

// "OK" (the default, "okButton") and "Cancel" ("cancelButton"), wired to accept and reject.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);

}  // namespace quorin
