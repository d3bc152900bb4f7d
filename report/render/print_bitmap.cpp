#include "report/render/print_bitmap.h"

#include <QImage>
#include <QPainter>
#include <QPrinterInfo>
#include <cstdio>

namespace quorin {

namespace {
UserMessageHandler& Handler() {
    static UserMessageHandler handler;
    return handler;
}
}  // namespace

void SetUserMessageHandler(UserMessageHandler handler) {
    Handler() = std::move(handler);
}

void ShowUserMessage(const std::string& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

std::unique_ptr<QPrinter> DefaultPrinter() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

PrintStatus PrintBitmapFile(const std::string& path, const PrintEnvironment& environment) {
    auto show = [&environment](const char* text) {
        if (environment.showMessage) environment.showMessage(text);
    };
    std::unique_ptr<QPrinter> printer =
        environment.findPrinter ? environment.findPrinter() : nullptr;
    if (!printer || !printer->isValid()) {
        show("No printer found!");
        return PrintStatus::kNoPrinter;
    }
    printer->setDocName(QString::fromStdString(path));
    printer->setFromTo(1, 1);
    printer->setPrintRange(QPrinter::AllPages);
    QPainter painter;
    if (!painter.begin(printer.get())) {
        show("No printer found!");
        return PrintStatus::kNoPrinter;
    }
    const int width = printer->width(), height = printer->height();
    QImage picture(QString::fromStdString(path));
    if (picture.isNull()) {
        show("Error loading bitmap!");
        printer->abort();
        painter.end();
        return PrintStatus::kBadBitmap;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(0, 0, width, height), picture);
    if (!painter.end()) {
        printer->abort();
        return PrintStatus::kRefused;
    }
    return PrintStatus::kPrinted;
}

}  // namespace quorin
