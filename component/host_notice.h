// The notice that the component sends to its host: a Qt event delivered synchronously
// (QCoreApplication::sendEvent) to the panel parent, the window the host gave to the panel calls.
// A window handle carries the host's QWidget*, whose QObject base is at offset 0, so the handle
// is read as a QObject*. Hosts test event->type() == HostNoticeEvent::Type() in event() or an
// event filter.
#pragma once

#include <QByteArray>
#include <QEvent>

#include <cstdint>
#include <string_view>

#include "platform/com/unknown.h"

namespace quorin {

class HostNoticeEvent : public QEvent {
public:
    // QEvent::User + 0x4A; the component registers it with QEvent::registerEventType before its
    // first notice, so that no other dynamically registered type takes it.
    static constexpr int kTypeNumber = QEvent::User + 0x4A;
    static QEvent::Type Type() { return static_cast<QEvent::Type>(kTypeNumber); }

    // data: the notice text's bytes followed by its terminating zero.
    HostNoticeEvent(quintptr code, QByteArray data)
        : QEvent(Type()), code_(code), data_(std::move(data)) {}

    // The data word of the notice (0xFF0000 for the operation-data notice).
    quintptr code() const { return code_; }
    // ANSI bytes of the notice text, the terminating zero included (data().size() >= 1).
    const QByteArray& data() const { return data_; }

private:
    quintptr code_;
    QByteArray data_;
};

// Sends the notice (code, text + terminating zero) to the QObject that window points at. False,
// and nothing is sent, when window is null; otherwise what the receiver's event() returned.
bool SendHostNotice(HWND window, quintptr code, std::string_view text);

}  // namespace quorin
