// Printing a picture file (a report page rendered to an image) on the default printer, and the
// messages meant for the user.
#pragma once

#include <QPrinter>
#include <functional>
#include <memory>
#include <string>

namespace quorin {

// Where messages meant for the user go. The widgets layer sets a message box
// (report/widgets/user_message_box.h); an empty handler, the default, writes the text and a line
// break on standard error.
using UserMessageHandler = std::function<void(const std::string&)>;
void SetUserMessageHandler(UserMessageHandler handler);

// Shows text to the user through the handler set last.
void ShowUserMessage(const std::string& text);

// The default printer (QPrinterInfo::defaultPrinter()) at high resolution; null when there is
// none.
std::unique_ptr<QPrinter> DefaultPrinter();

struct PrintEnvironment {
    std::function<std::unique_ptr<QPrinter>()> findPrinter = DefaultPrinter;
    std::function<void(const std::string&)> showMessage = ShowUserMessage;
};

enum class PrintStatus {
    kPrinted,
    kNoPrinter,  // "No printer found!" was shown
    kBadBitmap,  // "Error loading bitmap!" was shown; the job was aborted
    kRefused,    // the printer refused the page; the job was aborted or could not end
};

// Prints the picture at path on one page of the printer, stretched (smoothly) over the printable
// area, without a dialog; the document name is the path. No printer, or one that cannot start a
// job: "No printer found!". A picture that cannot be loaded: "Error loading bitmap!", and the
// job is aborted.
PrintStatus PrintBitmapFile(const std::string& path, const PrintEnvironment& environment = {});

}  // namespace quorin
