#pragma once

// The publisher's settings, group "Mqtt" of the settings store. Only an installer
// writes them, by hand; the program reads them once at start and never writes them.

#include <QString>

class SettingsStore;

struct MqttSettings {
    bool enabled = false;
    QString host = QStringLiteral("127.0.0.1");
    int port = 1883;
    QString topic;    // prefix of every topic, without a trailing "/"
    QString clientId;
    QString username; // empty: no user name and no password are sent
    QString password;
    bool tls = false;
    QString caFile;
    // Why the settings cannot be used (the publisher then stays unconnected and says
    // so); empty when they can.
    QString problem;
};

// `hostName` names this computer in the default topic and client id.
MqttSettings readMqttSettings(SettingsStore &store, const QString &hostName);
