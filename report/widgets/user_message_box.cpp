#include "report/widgets/user_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "report/render/print_bitmap.h"

namespace quorin {

void ShowUserMessagesInMessageBoxes() {
    SetUserMessageHandler([](const std::string& text) {
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(),
                            QString::fromStdString(text), QMessageBox::Ok);
            box.setObjectName(QStringLiteral("userMessage"));
            box.exec();
            return;
        }
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
    });
}

}  // namespace quorin
