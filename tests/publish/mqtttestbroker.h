#pragma once

// A mosquitto broker of the test's own on a free loopback port, with its
// configuration in a temporary folder. It can be stopped and started again on the
// same port, the way a broker goes away and comes back.

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

class MqttTestBroker {
public:
    MqttTestBroker();
    ~MqttTestBroker();
    MqttTestBroker(const MqttTestBroker &) = delete;
    MqttTestBroker &operator=(const MqttTestBroker &) = delete;

    // Starts the broker and waits until it accepts connections.
    bool start(int timeoutMs = 10000);
    void stop();
    int port() const { return port_; }
    QString output() const { return output_; }

    // The broker program, or an empty text when it is not installed.
    static QString program();

private:
    QTemporaryDir dir_;
    int port_ = 0;
    std::unique_ptr<QProcess> process_;
    QString output_;
};
