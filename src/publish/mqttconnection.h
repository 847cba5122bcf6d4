#pragma once

// One client's connection to the broker, driven by libmosquitto from the Qt event
// loop of the thread it lives on: socket notifiers call into the library when the
// socket is readable or writable, a timer keeps the connection alive. Every attempt
// gets a fresh library handle, so that nothing the library kept of a broken
// connection is sent twice; what must survive a break the sender keeps itself.

#include "mqttbackoff.h"
#include "mqttmessage.h"
#include "mqttsettings.h"

#include <QHash>
#include <QObject>

struct mosquitto;
class QSocketNotifier;
class QTimer;

class MqttConnection : public QObject {
    Q_OBJECT
public:
    explicit MqttConnection(const MqttSettings &settings, QObject *parent = nullptr);
    ~MqttConnection() override;

    void open();
    void publish(quint64 session, const MqttMessage &message, quint64 id);
    // "offline", then a clean disconnect, within `timeoutMs`; no further attempts.
    void close(int timeoutMs);

signals:
    void connected(quint64 session);
    void disconnected(const QString &reason);
    void delivered(quint64 id);

private:
    void attempt();
    void service();
    void fail(const QString &reason);
    void teardown();
    QString statusTopic() const;
    QString errorText(int rc) const;

    static void onConnect(mosquitto *, void *self, int rc);
    static void onDisconnect(mosquitto *, void *self, int rc);
    static void onPublish(mosquitto *, void *self, int mid);

    MqttSettings settings_;
    mosquitto *mosq_ = nullptr;
    QSocketNotifier *reader_ = nullptr;
    QSocketNotifier *writer_ = nullptr;
    QTimer *keepAlive_;
    QTimer *retry_;
    MqttBackoff backoff_;
    quint64 session_ = 0;   // the number of the last connection that came up
    bool up_ = false;       // the broker has accepted the current connection
    bool closing_ = false;
    QString failure_;       // set by a library callback, acted on once the library returns
    QHash<int, quint64> waiting_; // message id of the library -> the sender's id
};
