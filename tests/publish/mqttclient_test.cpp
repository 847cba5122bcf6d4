// The real client against a mosquitto broker of the test's own: the status topic and
// its will, readings and alarms on the wire, and a broker that goes away and comes
// back while alarms are raised.

#include "mqttbridge.h"
#include "mqttclient.h"
#include "mqttpayloads.h"
#include "mqttbrokertest.h"
#include "plantfeed.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kPrefix = QStringLiteral("tempmon/test");

class MqttClientTest : public MqttBrokerTest {
protected:
    MqttClientTest() : MqttBrokerTest(kPrefix) {}

    void SetUp() override
    {
        MqttBrokerTest::SetUp();
        if (!brokerReady())
            return;
        settings.enabled = true;
        settings.port = broker.port();
        settings.topic = kPrefix;
        settings.clientId = QStringLiteral("tempmon-client-test");
    }

    bool waitForState(const QString &text, int timeoutMs = 10000)
    {
        return QTest::qWaitFor([&] { return bridge && bridge->stateText() == text; }, timeoutMs);
    }
    bool waitForPayload(const QString &topic, const QByteArray &payload, int timeoutMs = 10000)
    {
        return subscriber.waitFor(
            [&](const QList<MqttTestSubscriber::Received> &all) {
                for (auto it = all.crbegin(); it != all.crend(); ++it)
                    if (it->topic == topic)
                        return it->payload == payload;
                return false;
            },
            timeoutMs);
    }
    static AnnouncedAlarm alarm(int n)
    {
        AnnouncedAlarm a;
        a.time = QDateTime::currentDateTime();
        a.panel = 2;
        a.slot = n;
        a.side = AlarmSide::Low;
        a.number = n;
        a.line = QStringLiteral("偏差低警報!   盤面:2,第%1台-->偏差低警報!   時間:上午 10:00:0%1").arg(n);
        return a;
    }
    QStringList alarmTexts() const
    {
        QStringList texts;
        for (const auto &r : subscriber.on(kPrefix + "/alarm"))
            texts << QString::fromUtf8(r.payload).section(QStringLiteral("\"text\":\""), 1).chopped(2);
        return texts;
    }

    MqttSettings settings;
    PlantFeed feed;
    std::unique_ptr<MqttClient> client;
    std::unique_ptr<MqttBridge> bridge;

    void startClient()
    {
        client = std::make_unique<MqttClient>(settings);
        bridge = std::make_unique<MqttBridge>(feed, *client, kPrefix);
        bridge->start();
    }
};

TEST_F(MqttClientTest, OnlineWhileConnectedReadingsAndAlarmsOnTheWireOfflineAfterAStop)
{
    startClient();
    ASSERT_TRUE(waitForPayload(kPrefix + "/status", "online"));
    ASSERT_TRUE(waitForState("MQTT: 已連線"));

    PlantView view;

    view.monitoring = true;
    view.panels[1].slotSnapshots[1].pvText = QStringLiteral("123.4");
    feed.setView(view);
    ASSERT_TRUE(waitForPayload(kPrefix + "/1/01/pv", "123.4"));
    EXPECT_TRUE(waitForPayload(kPrefix + "/3/10/lamps", R"({"out1":false,"out2":false,"al1":false,"al2":false})"));

    feed.raiseAlarm(alarm(1));
    ASSERT_TRUE(subscriber.waitFor([&](const auto &) { return alarmTexts().size() == 1; }, 10000));
    EXPECT_EQ(alarmTexts().value(0), alarm(1).line);
    EXPECT_FALSE(subscriber.on(kPrefix + "/alarm").first().retained);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bridge->waitingAlarms() == 0; }, 10000)) << "acknowledged";

    client->stop(2000);
    EXPECT_TRUE(waitForPayload(kPrefix + "/status", "offline"));

    // A late subscriber finds the retained values.
    MqttTestSubscriber late;
    ASSERT_TRUE(late.subscribe(broker.port(), kPrefix + "/#"));
    EXPECT_TRUE(late.waitFor([&](const auto &) {
        QByteArray pv, status;
        return late.last(kPrefix + "/1/01/pv", &pv) && pv == "123.4" && late.last(kPrefix + "/status", &status)
            && status == "offline";
    }, 10000));
    EXPECT_TRUE(late.on(kPrefix + "/alarm").isEmpty()) << "alarms are not retained";
}

TEST_F(MqttClientTest, AlarmsRaisedWhileTheBrokerIsGoneArriveInOrderOnceItReturns)
{
    startClient();
    ASSERT_TRUE(waitForPayload(kPrefix + "/status", "online"));
    feed.raiseAlarm(alarm(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bridge->waitingAlarms() == 0; }, 10000));

    broker.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bridge->stateText().startsWith("MQTT: 未連線 ("); }, 10000));
    for (int n = 2; n <= 6; ++n)
        feed.raiseAlarm(alarm(n));
    EXPECT_EQ(bridge->waitingAlarms(), 5);
    // At least one failed attempt against the missing broker before it returns.
    QSignalSpy attempts(client.get(), &MqttPublisher::disconnected);
    ASSERT_TRUE(attempts.wait(5000));

    ASSERT_TRUE(broker.start()) << broker.output().toStdString();
    ASSERT_TRUE(waitForState("MQTT: 已連線", 15000));
    ASSERT_TRUE(subscriber.waitFor([&](const auto &) { return alarmTexts().size() >= 6; }, 15000));
    QStringList expected;
    for (int n = 1; n <= 6; ++n)
        expected << alarm(n).line;
    EXPECT_EQ(alarmTexts(), expected);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bridge->waitingAlarms() == 0; }, 10000));
}

TEST_F(MqttClientTest, ABrokerThatIsNotThereIsNamedInTheStateLine)
{
    broker.stop();
    startClient();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bridge->stateText() != "MQTT: 未連線 (連線中)"; }, 10000));
    EXPECT_TRUE(bridge->stateText().startsWith(QStringLiteral("MQTT: 未連線 (無法連上 127.0.0.1:%1").arg(broker.port())))
        << bridge->stateText().toStdString();
}

} // namespace
