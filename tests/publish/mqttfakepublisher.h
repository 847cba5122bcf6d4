#pragma once

// A publisher without a network: it records what it was asked to send, and the test
// plays the broker (connect, lose the connection, acknowledge).

#include "mqttpublisher.h"

#include <QList>

class MqttFakePublisher : public MqttPublisher {
public:
    struct Sent {
        quint64 session;
        MqttMessage message;
        quint64 id;
    };

    void start() override { ++starts; }
    void publish(quint64 session, const MqttMessage &message, quint64 id = 0) override
    {
        sent.append({session, message, id});
    }
    void stop(int) override { ++stops; }

    void bringUp() { emit connected(++session); }
    void lose(const QString &reason = QStringLiteral("連線中斷")) { emit disconnected(reason); }
    void acknowledge(quint64 id) { emit delivered(id); }

    QList<Sent> onTopic(const QString &topic) const
    {
        QList<Sent> matching;
        for (const Sent &s : sent)
            if (s.message.topic == topic)
                matching << s;
        return matching;
    }

    QList<Sent> sent;
    quint64 session = 0;
    int starts = 0;
    int stops = 0;
};
