#include "queuedengineevents.h"

#include <QEventLoop>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int kWaitMs = 5000;

// The windows' side: notes every event as a word, in the order it is handled. A test
// may hang work on the handling of one scan-progress position.
class Recorder : public QObject, public EngineEvents {
public:
    std::vector<std::string> seen;
    std::function<void(int position)> whileHandling;

    void onScanLamp(int p, int s) override { seen.push_back("scan " + std::to_string(p) + "," + std::to_string(s)); }
    void onScanProgress(int, int position) override
    {
        seen.push_back("progress " + std::to_string(position));
        if (whileHandling)
            whileHandling(position);
    }
    void onWriteRejected(const RejectedWrite &) override { seen.push_back("rejected"); }
    void onAlarm(const AlarmAnnouncement &a) override { seen.push_back("alarm " + std::to_string(a.number)); }
};

AlarmAnnouncement alarmNumber(int n)
{
    return {AlarmSide::Low, 1, 1, n, QTime(8, 0, 0)};
}

// A handler that opens a modal box runs a nested event loop; the events the engine
// issues meanwhile, and those already waiting behind the handler, must neither run
// inside that loop nor overtake each other.
TEST(QueuedEngineEvents, NestedLoopInAHandlerHoldsTheRestBackInOrder)
{
    QueuedEngineEvents events;
    Recorder window;
    events.deliverTo(&window, &window);
    window.whileHandling = [&](int position) {
        if (position != 2)
            return;
        std::thread engine([&] {
            events.onScanProgress(1, 4);
            events.onAlarm(alarmNumber(1));
            events.onScanLamp(1, 5);
            events.onAlarm(alarmNumber(2));
        });
        engine.join();
        QEventLoop box;
        QMetaObject::invokeMethod(&box, &QEventLoop::quit, Qt::QueuedConnection);
        box.exec();
        window.seen.push_back("box closed");
    };

    events.onScanProgress(1, 1);
    events.onScanProgress(1, 2);
    events.onScanProgress(1, 3);
    const std::vector<std::string> expected{"progress 1", "progress 2", "box closed", "progress 3",
                                            "progress 4", "alarm 1",    "scan 1,5",   "alarm 2"};
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.seen.size() >= expected.size(); }, kWaitMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.seen, expected);
}

// Events the handler itself causes (a test standing in for the engine on the window
// thread, say) come after the event being handled, never inside it.
TEST(QueuedEngineEvents, EventIssuedDuringAHandlerRunsAfterIt)
{
    QueuedEngineEvents events;
    Recorder window;
    events.deliverTo(&window, &window);
    window.whileHandling = [&](int position) {
        if (position == 1) {
            events.onAlarm(alarmNumber(7));
            QCoreApplication::processEvents();
            window.seen.push_back("handler done");
        }
    };
    events.onScanProgress(1, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.seen.size() >= 3; }, kWaitMs));
    EXPECT_EQ(window.seen, (std::vector<std::string>{"progress 1", "handler done", "alarm 7"}));
}

// A busy engine does not hold the window thread: what arrives while a delivery runs
// waits for a delivery of its own, after the window's other work already queued.
TEST(QueuedEngineEvents, LaterEventsWaitBehindTheWindowsOtherWork)
{
    QueuedEngineEvents events;
    Recorder window;
    events.deliverTo(&window, &window);
    window.whileHandling = [&](int position) {
        if (position == 1) {
            QMetaObject::invokeMethod(&window, [&] { window.seen.push_back("repaint"); }, Qt::QueuedConnection);
            events.onScanProgress(1, 2);
        }
    };
    events.onScanProgress(1, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.seen.size() >= 3; }, kWaitMs));
    EXPECT_EQ(window.seen, (std::vector<std::string>{"progress 1", "repaint", "progress 2"}));
}

TEST(QueuedEngineEvents, NothingReachesAReceiverOnceDetached)
{
    QueuedEngineEvents events;
    Recorder window;
    events.onAlarm(alarmNumber(1)); // before any receiver: dropped
    events.deliverTo(&window, &window);
    events.onAlarm(alarmNumber(2));
    events.deliverTo(nullptr, nullptr); // the receiver is going away
    events.onAlarm(alarmNumber(3));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.seen.empty());

    events.deliverTo(&window, &window);
    events.onAlarm(alarmNumber(4));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.seen.empty(); }, kWaitMs));
    EXPECT_EQ(window.seen, (std::vector<std::string>{"alarm 4"}));
}

} // namespace
