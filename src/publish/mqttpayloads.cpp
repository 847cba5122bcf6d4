#include "mqttpayloads.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QByteArray jsonBool(bool value) { return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false"); }

// A JSON string literal, quotes included.
QByteArray jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

QByteArray mqttLampsJson(const TileLamps &lamps)
{
    return "{\"out1\":" + jsonBool(lamps.out1) + ",\"out2\":" + jsonBool(lamps.out2) + ",\"al1\":"
        + jsonBool(lamps.al1) + ",\"al2\":" + jsonBool(lamps.al2) + '}';
}

QList<MqttMessage> mqttReadingMessages(const QString &prefix, const PlantView &view)
{
    QList<MqttMessage> messages;
    messages.reserve(kPanelCount * kSlotCount * 5);
    for (int p = 1; p <= kPanelCount; ++p) {
        for (int s = 1; s <= kSlotCount; ++s) {
            const SlotSnapshot &slot = view.panels[p].slotSnapshots[s];
            const QString base = QStringLiteral("%1/%2/%3/").arg(prefix).arg(p).arg(s, 2, 10, QLatin1Char('0'));
            messages.append({base + QLatin1String("pv"), slot.pvText.toUtf8()});
            messages.append({base + QLatin1String("sv"), slot.svText.toUtf8()});
            messages.append({base + QLatin1String("out"), slot.outText.toUtf8()});
            messages.append({base + QLatin1String("linked"), slot.linked ? "1" : "0"});
            messages.append({base + QLatin1String("lamps"), mqttLampsJson(slot.lamps)});
        }
    }
    return messages;
}

QString mqttIsoTime(const QDateTime &time)
{
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
        + QStringLiteral("%1%2:%3")
              .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
              .arg(minutes / 60, 2, 10, QLatin1Char('0'))
              .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray mqttAlarmJson(const AnnouncedAlarm &alarm)
{
    return "{\"time\":" + jsonString(mqttIsoTime(alarm.time)) + ",\"panel\":" + QByteArray::number(alarm.panel)
        + ",\"slot\":" + QByteArray::number(alarm.slot) + ",\"side\":"
        + (alarm.side == AlarmSide::Low ? "\"low\"" : "\"high\"") + ",\"count\":"
        + QByteArray::number(alarm.number) + ",\"text\":" + jsonString(alarm.line) + '}';
}

MqttMessage mqttAlarmMessage(const QString &prefix, const AnnouncedAlarm &alarm)
{
    return {prefix + QLatin1String("/alarm"), mqttAlarmJson(alarm), 1, false};
}
