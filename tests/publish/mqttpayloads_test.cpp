// What reaches the broker: the reading topics and texts of every slot, the lamps and
// alarm JSON, the time with its offset.

#include "mqttpayloads.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

QByteArray payloadOf(const QList<MqttMessage> &messages, const QString &topic)
{
    for (const MqttMessage &m : messages)
        if (m.topic == topic)
            return m.payload;
    ADD_FAILURE() << "no topic " << topic.toStdString();
    return {};
}

TEST(MqttPayloads, EverySlotHasFiveRetainedTopicsWithTheTilesTexts)
{
    PlantView view;
    SlotSnapshot &slot = view.panels[2].slotSnapshots[10];
    slot.pvText = QStringLiteral("-12.5");
    slot.svText = QStringLiteral("100.0");
    slot.outText = QString(); // missing
    slot.linked = false;
    slot.lamps = {true, false, false, true};

    const QList<MqttMessage> messages = mqttReadingMessages(QStringLiteral("tempmon/oven"), view);
    EXPECT_EQ(messages.size(), 3 * 10 * 5);
    for (const MqttMessage &m : messages) {
        EXPECT_TRUE(m.retain) << m.topic.toStdString();
        EXPECT_EQ(m.qos, 0) << m.topic.toStdString();
    }
    struct Case {
        const char *topic;
        QByteArray payload;
    };
    const Case cases[] = {
        {"tempmon/oven/2/10/pv", "-12.5"},
        {"tempmon/oven/2/10/sv", "100.0"},
        {"tempmon/oven/2/10/out", ""},
        {"tempmon/oven/2/10/linked", "0"},
        {"tempmon/oven/2/10/lamps", R"({"out1":true,"out2":false,"al1":false,"al2":true})"},
        {"tempmon/oven/1/01/linked", "1"},
        {"tempmon/oven/3/05/lamps", R"({"out1":false,"out2":false,"al1":false,"al2":false})"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(payloadOf(messages, QString::fromLatin1(c.topic)), c.payload) << c.topic;
}

TEST(MqttPayloads, TimeCarriesItsOffsetFromUtc)
{
    const QDate date(2026, 3, 9);
    const QTime time(14, 5, 7);
    struct Case {
        int offsetSeconds;
        const char *expected;
    };
    const Case cases[] = {
        {8 * 3600, "2026-03-09T14:05:07+08:00"},
        {0, "2026-03-09T14:05:07+00:00"},
        {-(3 * 3600 + 1800), "2026-03-09T14:05:07-03:30"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(mqttIsoTime(QDateTime(date, time, Qt::OffsetFromUTC, c.offsetSeconds)), c.expected);
}

TEST(MqttPayloads, AlarmIsOneJsonObjectWithTheListLineVerbatim)
{
    AnnouncedAlarm alarm;
    alarm.time = QDateTime(QDate(2026, 12, 11), QTime(15, 38, 38), Qt::OffsetFromUTC, 8 * 3600);
    alarm.panel = 1;
    alarm.slot = 3;
    alarm.side = AlarmSide::High;
    alarm.number = 12;
    // A quote and a backslash must survive the JSON escaping.
    alarm.line = QStringLiteral("偏差高警報!   盤面:1,第3台-->偏差高警報!   時間:下午 03:38:38 \"\\");

    const MqttMessage message = mqttAlarmMessage(QStringLiteral("tempmon/oven"), alarm);
    EXPECT_EQ(message.topic, "tempmon/oven/alarm");
    EXPECT_EQ(message.qos, 1);
    EXPECT_FALSE(message.retain);
    EXPECT_TRUE(message.payload.startsWith(R"({"time":"2026-12-11T15:38:38+08:00","panel":1,"slot":3,"side":"high","count":12,"text":)"))
        << message.payload.toStdString();
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(message.payload, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << message.payload.toStdString();
    EXPECT_EQ(object.value("text").toString(), alarm.line);

    alarm.side = AlarmSide::Low;
    EXPECT_TRUE(mqttAlarmJson(alarm).contains(R"("side":"low")"));
}

} // namespace
