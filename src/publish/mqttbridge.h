#pragma once

// Carries the plant feed to the broker. Readings: after each display tick the topics
// whose value changed, and everything again on every new connection; a reading that
// changes while the broker is gone is not kept, the next connection sends the value
// as it then stands. Alarms: queued until the broker acknowledges them, and sent in
// the order they were raised. Lives on the window thread; the publisher does the
// network work elsewhere, so nothing here waits for the broker.

#include "mqttalarmqueue.h"
#include "plantview.h"

#include <QHash>
#include <QObject>

class MqttPublisher;
class PlantFeed;

class MqttBridge : public QObject {
    Q_OBJECT
public:
    MqttBridge(PlantFeed &feed, MqttPublisher &publisher, const QString &topicPrefix, QObject *parent = nullptr);

    void start();

    // "MQTT: 已連線" or "MQTT: 未連線 (why)".
    QString stateText() const { return state_; }
    bool isConnected() const { return session_ != 0; }
    int waitingAlarms() const { return alarms_.size(); }
    // Alarms dropped because the queue was full while the broker was gone.
    quint64 lostAlarms() const { return alarms_.lost(); }

    // For a settings problem found before any connection was tried.
    void setUnusable(const QString &reason);

signals:
    void stateChanged(const QString &text);

private:
    void onView(const PlantView &view);
    void onAlarm(const AnnouncedAlarm &alarm);
    void onConnected(quint64 session);
    void onDisconnected(const QString &reason);
    void publishReadings(bool all);
    void setState(const QString &text);

    PlantFeed &feed_;
    MqttPublisher &publisher_;
    QString prefix_;
    quint64 session_ = 0; // 0: not connected
    PlantView view_;
    bool haveView_ = false;
    QHash<QString, QByteArray> sent_; // topic -> payload, on this connection
    MqttAlarmQueue alarms_;
    QString state_;
};
