#pragma once

// The MQTT publisher as the program runs it: the settings read from the store, the
// network client and the bridge from the plant feed. Exists only when the settings
// switch it on; stopping it (or destroying it) announces "offline".

#include "mqttsettings.h"

#include <QObject>

#include <memory>

class MqttBridge;
class MqttClient;
class PlantFeed;
class SettingsStore;

class MqttService : public QObject {
    Q_OBJECT
public:
    // Null when the store's group "Mqtt" leaves the publisher off.
    static std::unique_ptr<MqttService> fromStore(SettingsStore &store, PlantFeed &feed);

    MqttService(const MqttSettings &settings, PlantFeed &feed);
    ~MqttService() override;

    // Connects from now on; before, the program's windows are built and nothing is sent.
    void start();
    MqttBridge &bridge() { return *bridge_; }
    QString stateText() const;
    void stop(int timeoutMs = 2000);

signals:
    void stateChanged(const QString &text);

private:
    std::unique_ptr<MqttClient> client_;
    std::unique_ptr<MqttBridge> bridge_;
    QString problem_;
};
