#include "component/host_notice.h"

#include <QCoreApplication>
#include <QObject>

namespace quorin {

bool SendHostNotice(HWND window, quintptr code, std::string_view text) {
    if (!window) return false;
    // Reserve the number once so that QEvent::registerEventType never hands it to someone else.
    static const bool registered = [] {
        QEvent::registerEventType(HostNoticeEvent::kTypeNumber);
        return true;
    }();
    (void)registered;
    QByteArray data(text.data(), static_cast<qsizetype>(text.size()));
    data.append('\0');
    HostNoticeEvent event(code, std::move(data));
    return QCoreApplication::sendEvent(static_cast<QObject*>(window), &event);
}

}  // namespace quorin
