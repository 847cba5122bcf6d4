#include "mqttbridge.h"

#include "mqttlog.h"
#include "mqttpayloads.h"
#include "mqttpublisher.h"
#include "plantfeed.h"

MqttBridge::MqttBridge(PlantFeed &feed, MqttPublisher &publisher, const QString &topicPrefix, QObject *parent)
    : QObject(parent), feed_(feed), publisher_(publisher), prefix_(topicPrefix),
      state_(QStringLiteral("MQTT: 未連線 (連線中)"))
{
    connect(&feed_, &PlantFeed::viewChanged, this, &MqttBridge::onView);
    connect(&feed_, &PlantFeed::alarmRaised, this, &MqttBridge::onAlarm);
    connect(&publisher_, &MqttPublisher::connected, this, &MqttBridge::onConnected);
    connect(&publisher_, &MqttPublisher::disconnected, this, &MqttBridge::onDisconnected);
    connect(&publisher_, &MqttPublisher::delivered, this, [this](quint64 id) { alarms_.remove(id); });
}

void MqttBridge::start()
{
    publisher_.start();
}

void MqttBridge::setUnusable(const QString &reason)
{
    setState(QStringLiteral("MQTT: 未連線 (%1)").arg(reason));
}

void MqttBridge::onView(const PlantView &view)
{
    // Before monitoring starts the readings are not yet the plant's.
    if (!view.monitoring)
        return;
    view_ = view;
    haveView_ = true;
    publishReadings(false);
}

void MqttBridge::onAlarm(const AnnouncedAlarm &alarm)
{
    const MqttMessage message = mqttAlarmMessage(prefix_, alarm);
    const quint64 lostBefore = alarms_.lost();
    const quint64 id = alarms_.push(message.payload);
    if (alarms_.lost() != lostBefore)
        qCWarning(lcMqtt) << "alarm queue full, oldest alarm dropped; lost so far:" << alarms_.lost();
    if (session_)
        publisher_.publish(session_, message, id);
}

void MqttBridge::onConnected(quint64 session)
{
    session_ = session;
    sent_.clear();
    publishReadings(true);
    // Whatever waits, including alarms sent on a connection that broke before the
    // broker acknowledged them, goes out again in the order raised.
    for (const MqttAlarmQueue::Entry &entry : alarms_.entries())
        publisher_.publish(session_, {prefix_ + QLatin1String("/alarm"), entry.payload, 1, false}, entry.id);
    setState(QStringLiteral("MQTT: 已連線"));
}

void MqttBridge::onDisconnected(const QString &reason)
{
    session_ = 0;
    sent_.clear();
    setState(QStringLiteral("MQTT: 未連線 (%1)").arg(reason));
}

void MqttBridge::publishReadings(bool all)
{
    if (!session_ || !haveView_)
        return;
    for (const MqttMessage &message : mqttReadingMessages(prefix_, view_)) {
        auto known = sent_.constFind(message.topic);
        if (!all && known != sent_.constEnd() && *known == message.payload)
            continue;
        sent_.insert(message.topic, message.payload);
        publisher_.publish(session_, message);
    }
}

void MqttBridge::setState(const QString &text)
{
    if (text == state_)
        return;
    state_ = text;
    emit stateChanged(state_);
}
