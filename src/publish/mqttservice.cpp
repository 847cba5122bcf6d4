#include "mqttservice.h"

#include "mqttbridge.h"
#include "mqttclient.h"

#include <QSysInfo>

std::unique_ptr<MqttService> MqttService::fromStore(SettingsStore &store, PlantFeed &feed)
{
    const MqttSettings settings = readMqttSettings(store, QSysInfo::machineHostName());
    if (!settings.enabled)
        return nullptr;
    return std::make_unique<MqttService>(settings, feed);
}

MqttService::MqttService(const MqttSettings &settings, PlantFeed &feed)
    : client_(std::make_unique<MqttClient>(settings)),
      bridge_(std::make_unique<MqttBridge>(feed, *client_, settings.topic)), problem_(settings.problem)
{
    connect(bridge_.get(), &MqttBridge::stateChanged, this, &MqttService::stateChanged);
}

void MqttService::start()
{
    if (problem_.isEmpty())
        bridge_->start();
    else
        bridge_->setUnusable(problem_);
}

MqttService::~MqttService()
{
    stop();
}

QString MqttService::stateText() const
{
    return bridge_->stateText();
}

void MqttService::stop(int timeoutMs)
{
    client_->stop(timeoutMs);
}
