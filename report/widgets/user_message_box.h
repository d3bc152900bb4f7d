// User messages of the render library (ShowUserMessage) shown in a message box.
#pragma once

namespace quorin {

// From now on ShowUserMessage shows a warning box with an OK button, captioned with the
// application's name, while a QApplication (widgets) runs; without one the text goes to standard
// error as before.
void ShowUserMessagesInMessageBoxes();

}  // namespace quorin
