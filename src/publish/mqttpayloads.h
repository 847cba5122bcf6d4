#pragma once

// What the publisher sends, built from the feed's values: the retained reading topics
// of every slot and the JSON object of one alarm.

#include "mqttmessage.h"
#include "plantview.h"

#include <QList>

// Every reading topic of every panel and slot, with the texts the tiles show:
// <prefix>/<panel>/<slot, two digits>/{pv,sv,out,linked,lamps}.
QList<MqttMessage> mqttReadingMessages(const QString &prefix, const PlantView &view);

QByteArray mqttLampsJson(const TileLamps &lamps);
QByteArray mqttAlarmJson(const AnnouncedAlarm &alarm);
MqttMessage mqttAlarmMessage(const QString &prefix, const AnnouncedAlarm &alarm);

// ISO 8601 to the second with the offset from UTC written out ("+08:00", never "Z").
QString mqttIsoTime(const QDateTime &time);
