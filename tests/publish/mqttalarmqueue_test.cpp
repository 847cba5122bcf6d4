// The wait between attempts and the queue of alarms waiting for the broker.

#include "mqttalarmqueue.h"
#include "mqttbackoff.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MqttBackoff, DoublesFromOneSecondToAMinuteAndStartsAgainAfterAConnection)
{
    MqttBackoff backoff;
    std::vector<int> delays;
    for (int i = 0; i < 9; ++i)
        delays.push_back(backoff.nextDelayMs());
    EXPECT_EQ(delays, (std::vector<int>{1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000, 60000}));
    backoff.reset();
    EXPECT_EQ(backoff.nextDelayMs(), 1000);
}

TEST(MqttAlarmQueue, FullQueueDropsTheOldestAndCountsTheLoss)
{
    MqttAlarmQueue queue;
    for (int i = 1; i <= MqttAlarmQueue::kCapacity + 3; ++i)
        queue.push(QByteArray::number(i));
    EXPECT_EQ(queue.size(), 1000);
    EXPECT_EQ(queue.lost(), 3u);
    EXPECT_EQ(queue.entries().first().payload, "4");
    EXPECT_EQ(queue.entries().last().payload, "1003");
}

TEST(MqttAlarmQueue, AcknowledgedAlarmsLeaveInAnyOrderAndUnknownIdsAreIgnored)
{
    MqttAlarmQueue queue(3);
    const quint64 a = queue.push("a");
    const quint64 b = queue.push("b");
    const quint64 c = queue.push("c");
    queue.remove(b);
    queue.remove(b);
    ASSERT_EQ(queue.size(), 2);
    EXPECT_EQ(queue.entries().at(0).id, a);
    EXPECT_EQ(queue.entries().at(1).id, c);
    queue.push("d");
    queue.push("e"); // drops "a"
    queue.remove(a);  // acknowledged after it was dropped
    EXPECT_EQ(queue.size(), 3);
    EXPECT_EQ(queue.lost(), 1u);
}

} // namespace
