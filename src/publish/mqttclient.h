#pragma once

// The real publisher: libmosquitto on a network thread of its own. Calls return at
// once; the connection's signals arrive queued on the caller's thread.

#include "mqttpublisher.h"
#include "mqttsettings.h"

#include <QThread>

class MqttConnection;

class MqttClient : public MqttPublisher {
    Q_OBJECT
public:
    explicit MqttClient(const MqttSettings &settings, QObject *parent = nullptr);
    ~MqttClient() override;

    void start() override;
    void publish(quint64 session, const MqttMessage &message, quint64 id = 0) override;
    void stop(int timeoutMs) override;

private:
    QThread *thread_; // left running at exit rather than waited for without end
    MqttConnection *connection_; // lives on thread_, deleted there
    bool stopped_ = false;
};
