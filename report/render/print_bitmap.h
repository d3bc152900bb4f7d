// Printing a picture file (a report page rendered to an image) on the default printer, and the
// messages meant for the user.
#pragma once

#include <QPrinter>
#include <functional>
#include <memory>
#include <string>

namespace quorin {

// Shows text to the user: a message box with an OK button while a QApplication (widgets) runs,
// otherwise the text and a line break on standard error.
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
