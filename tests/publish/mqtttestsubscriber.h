#pragma once

// A subscriber on the test broker: libmosquitto on its own thread, every message
// received kept in arrival order, and waits on a condition with a deadline.

#include <QByteArray>
#include <QList>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>

struct mosquitto;

class MqttTestSubscriber {
public:
    struct Received {
        QString topic;
        QByteArray payload;
        bool retained;
    };

    MqttTestSubscriber();
    ~MqttTestSubscriber();
    MqttTestSubscriber(const MqttTestSubscriber &) = delete;
    MqttTestSubscriber &operator=(const MqttTestSubscriber &) = delete;

    // Connects with a lasting session and subscribes to `filter` (QoS 1); true once
    // the broker confirmed the subscription, so that retained messages are on their
    // way. A broker that keeps its sessions over a restart keeps the QoS 1 messages
    // published while this subscriber was reconnecting.
    bool subscribe(int port, const QString &filter, int timeoutMs = 5000);

    QList<Received> received() const;
    QList<Received> on(const QString &topic) const;
    // The last payload seen on `topic`, if any.
    bool last(const QString &topic, QByteArray *payload) const;
    bool waitFor(const std::function<bool(const QList<Received> &)> &condition, int timeoutMs);

private:
    static void onMessage(mosquitto *, void *self, const struct mosquitto_message *message);
    static void onConnect(mosquitto *, void *self, int rc);
    static void onSubscribe(mosquitto *, void *self, int, int, const int *);

    mosquitto *mosq_ = nullptr;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    QList<Received> received_;
    bool subscribed_ = false;
    QByteArray filter_;
};
