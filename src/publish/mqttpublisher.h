#pragma once

// The seam between the publishing logic and the network: a client that keeps a
// connection to the broker on a thread of its own. Every call returns at once; what
// happens on the network comes back as signals on the caller's thread.

#include "mqttmessage.h"

#include <QObject>

class MqttPublisher : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Connects, and reconnects after every loss with a growing wait, until stop().
    virtual void start() = 0;
    // Sends on the connection `session` names (from connected()). A message for a
    // session that has ended is dropped, since its sender will send it again on the
    // next. A nonzero `id` asks for delivered(id) once the broker has the message.
    virtual void publish(quint64 session, const MqttMessage &message, quint64 id = 0) = 0;
    // Announces "offline", closes the connection and ends the thread, waiting at most
    // `timeoutMs`.
    virtual void stop(int timeoutMs) = 0;

signals:
    void connected(quint64 session);
    void disconnected(const QString &reason);
    void delivered(quint64 id);
};
