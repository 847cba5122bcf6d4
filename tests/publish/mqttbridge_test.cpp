// The plant feed on its way to the broker, with the network played by the test:
// what each tick sends, what a lost connection costs, and the alarms that wait.

#include "mqttbridge.h"
#include "mqttfakepublisher.h"
#include "plantfeed.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QString kPrefix = QStringLiteral("tempmon/pc");

class MqttBridgeTest : public ::testing::Test {
protected:
    MqttBridgeTest() { bridge.start(); }

    void tick(int panel, int slot, const QString &pv)
    {
        view.panels[panel].slotSnapshots[slot].pvText = pv;
        feed.setView(view);
    }
    AnnouncedAlarm alarm(int n)
    {
        AnnouncedAlarm a;
        a.time = QDateTime(QDate(2026, 1, 2), QTime(3, 4, n % 60));
        a.panel = 1;
        a.slot = 2;
        a.number = n;
        a.line = QStringLiteral("偏差低警報!   #%1").arg(n);
        return a;
    }
    // The count values of the alarms sent, in the order sent.
    QList<int> sentAlarmCounts() const
    {
        QList<int> counts;
        for (const auto &s : publisher.onTopic(kPrefix + "/alarm"))
            counts << QString::fromUtf8(s.message.payload).section(QStringLiteral("\"count\":"), 1).section(',', 0, 0).toInt();
        return counts;
    }

    PlantFeed feed;
    MqttFakePublisher publisher;
    MqttBridge bridge{feed, publisher, kPrefix};
    PlantView view = monitoringView();

private:
    static PlantView monitoringView()
    {
        PlantView v;
        v.monitoring = true;
        return v;
    }
};

// The main window hands the feed its caption and titles as soon as it is shown; the
// readings are still blank then and are not the plant's, so nothing is retained.
TEST_F(MqttBridgeTest, NothingIsPublishedBeforeMonitoringStarts)
{
    publisher.bringUp();
    publisher.sent.clear();
    PlantView shown;
    shown.windowTitle = QStringLiteral(" 溫度監控系統 Ver9.22 ");
    feed.setView(shown);
    EXPECT_TRUE(publisher.sent.isEmpty());
    tick(1, 1, QStringLiteral("20.0"));
    EXPECT_EQ(publisher.sent.size(), 150);
}

TEST_F(MqttBridgeTest, AfterTheFirstFullSendEachTickSendsOnlyWhatChanged)
{
    EXPECT_EQ(publisher.starts, 1);
    tick(1, 1, QStringLiteral("20.0"));
    EXPECT_TRUE(publisher.sent.isEmpty()) << "no connection yet";

    publisher.bringUp();
    EXPECT_EQ(publisher.sent.size(), 150) << "everything as it stands, on connecting";
    EXPECT_EQ(publisher.onTopic(kPrefix + "/1/01/pv").value(0).message.payload, "20.0");

    publisher.sent.clear();
    tick(1, 1, QStringLiteral("20.1"));
    view.panels[3].slotSnapshots[7].lamps.al2 = true;
    feed.setView(view);
    ASSERT_EQ(publisher.sent.size(), 2);
    EXPECT_EQ(publisher.sent[0].message.topic, kPrefix + "/1/01/pv");
    EXPECT_EQ(publisher.sent[0].message.payload, "20.1");
    EXPECT_EQ(publisher.sent[0].session, publisher.session);
    EXPECT_EQ(publisher.sent[1].message.topic, kPrefix + "/3/07/lamps");

    // A tick whose view differs only in what this publisher does not show.
    publisher.sent.clear();
    view.windowTitle = QStringLiteral("another caption");
    feed.setView(view);
    EXPECT_TRUE(publisher.sent.isEmpty());
}

TEST_F(MqttBridgeTest, ReadingsAreNotKeptWhileTheBrokerIsGoneButResentOnReturn)
{
    publisher.bringUp();
    tick(1, 1, QStringLiteral("20.0"));
    publisher.lose(QStringLiteral("連線中斷 (The connection was lost.)"));
    EXPECT_EQ(bridge.stateText(), "MQTT: 未連線 (連線中斷 (The connection was lost.))");
    publisher.sent.clear();
    tick(1, 1, QStringLiteral("21.0"));
    tick(1, 1, QStringLiteral("22.0"));
    EXPECT_TRUE(publisher.sent.isEmpty());

    publisher.bringUp();
    EXPECT_EQ(bridge.stateText(), "MQTT: 已連線");
    const auto pv = publisher.onTopic(kPrefix + "/1/01/pv");
    ASSERT_EQ(pv.size(), 1) << "only the value as it now stands";
    EXPECT_EQ(pv[0].message.payload, "22.0");
    EXPECT_EQ(publisher.sent.size(), 150);
}

TEST_F(MqttBridgeTest, AlarmsWaitForTheBrokerAndArriveInOrderUntilAcknowledged)
{
    QSignalSpy states(&bridge, &MqttBridge::stateChanged);
    publisher.bringUp();
    feed.raiseAlarm(alarm(1));
    ASSERT_EQ(sentAlarmCounts(), QList<int>{1});
    const auto first = publisher.onTopic(kPrefix + "/alarm").first();
    EXPECT_EQ(first.message.qos, 1);
    EXPECT_FALSE(first.message.retain);
    EXPECT_NE(first.id, 0u);

    // Alarm 1 is never acknowledged: the connection breaks first.
    publisher.lose();
    feed.raiseAlarm(alarm(2));
    feed.raiseAlarm(alarm(3));
    EXPECT_EQ(sentAlarmCounts(), QList<int>{1});
    EXPECT_EQ(bridge.waitingAlarms(), 3);

    publisher.bringUp();
    EXPECT_EQ(sentAlarmCounts(), (QList<int>{1, 1, 2, 3}));
    for (const auto &s : publisher.onTopic(kPrefix + "/alarm"))
        publisher.acknowledge(s.id);
    EXPECT_EQ(bridge.waitingAlarms(), 0);

    // Acknowledged alarms are not sent again on the next connection.
    publisher.lose();
    publisher.bringUp();
    EXPECT_EQ(sentAlarmCounts(), (QList<int>{1, 1, 2, 3}));
    EXPECT_EQ(states.size(), 5);
}

TEST_F(MqttBridgeTest, ALongOutageKeepsTheNewestThousandAlarmsAndCountsTheRest)
{
    for (int n = 1; n <= 1005; ++n)
        feed.raiseAlarm(alarm(n));
    EXPECT_EQ(bridge.lostAlarms(), 5u);
    publisher.bringUp();
    const QList<int> counts = sentAlarmCounts();
    ASSERT_EQ(counts.size(), 1000);
    EXPECT_EQ(counts.first(), 6);
    EXPECT_EQ(counts.last(), 1005);
}

TEST_F(MqttBridgeTest, UnusableSettingsAreShownInTheStateLine)
{
    bridge.setUnusable(QStringLiteral("Topic 設定錯誤"));
    EXPECT_EQ(bridge.stateText(), "MQTT: 未連線 (Topic 設定錯誤)");
}

} // namespace
