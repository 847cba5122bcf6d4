#include "tcommcontroller.h"

#include "fakecontrollers.h"
#include "recordingevents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace {
constexpr int kWaitMs = 10000;

// The windows' side of the engine's events: runs on the test thread, notes whether
// every event arrived there, and keeps them in order.
class Receiver : public QObject, public EngineEvents {
public:
    bool wrongThread = false;
    std::vector<std::pair<int, int>> progress;
    std::vector<std::pair<int, int>> scanLamps;
    std::vector<RejectedWrite> rejected;
    std::vector<AlarmAnnouncement> alarms;

    void onScanLamp(int p, int s) override { check(); scanLamps.emplace_back(p, s); }
    void onScanProgress(int p, int pos) override { check(); progress.emplace_back(p, pos); }
    void onWriteRejected(const RejectedWrite &w) override { check(); rejected.push_back(w); }
    void onAlarm(const AlarmAnnouncement &a) override { check(); alarms.push_back(a); }

private:
    void check() { wrongThread = wrongThread || QThread::currentThread() != thread(); }
};

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int p = 1; p <= 3; ++p) {
            model.setLineSettings(p, LineSettings{p, 9600, TConverter::RS485, TPsl::rtu});
            bench.setEcho(p, false);
            for (int s = 1; s <= 10; ++s)
                bench.addController(p, (p - 1) * 10 + s);
        }
    }
    void makeController()
    {
        controller = std::make_unique<TCommController>(model, bench.makeLink(), &clock);
        controller->deliverEventsTo(&receiver, &receiver);
    }
    bool anyWrite() const
    {
        for (const FakeTransaction &t : bench.transactions())
            if (t.write)
                return true;
        return false;
    }

    FakeControllers bench;
    PlantModel model;
    FixedClock clock;
    Receiver receiver;
    std::unique_ptr<TCommController> controller;
};

TEST_F(ControllerTest, ScansThenPollsAndHandsDisplayChangesToTheWindowThread)
{
    bench.setRegister(2, 13, 0x88, 0x0019);
    // Slot (2, 3) reads far above its set value: its first evaluation announces.
    model.setAlarmPoint(2, 3, AlarmLimits{QStringLiteral("-100000"), QStringLiteral("100000"), true});
    makeController();
    controller->start();

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return controller->cycleCount() >= 2 && receiver.scanLamps.size() >= 60; }, kWaitMs));
    ASSERT_GE(receiver.progress.size(), 30u);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(receiver.progress[std::size_t(i)], std::make_pair(i / 10 + 1, i % 10 + 1));
    // The first cycle's order of lamps: slot (1,1) first, then (1,2)...
    EXPECT_EQ(receiver.scanLamps.at(0), std::make_pair(1, 1));
    EXPECT_EQ(receiver.scanLamps.at(12), std::make_pair(2, 3));
    EXPECT_EQ(model.readingsSnapshot(2).slotSnapshots[3].lamps, (TileLamps{true, false, true, true}));

    ASSERT_EQ(receiver.alarms.size(), 1u);
    const AlarmAnnouncement &a = receiver.alarms[0];
    EXPECT_EQ(std::make_tuple(a.panel, a.slot, a.number, a.side), std::make_tuple(2, 3, 1, AlarmSide::High));
    EXPECT_EQ(a.time, clock.at.time());
    EXPECT_FALSE(receiver.wrongThread);

    controller->requestStop();
    ASSERT_TRUE(controller->wait(kWaitMs));
}

TEST_F(ControllerTest, RejectedWriteIsReportedAndTheEngineCarriesOn)
{
    makeController();
    controller->start();
    model.RequestWrite(3, 2, 0, QStringLiteral("1.2.3"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !receiver.rejected.empty(); }, kWaitMs));
    const RejectedWrite &r = receiver.rejected[0];
    EXPECT_EQ(r.panel, 3);
    EXPECT_EQ(r.slot, 2);
    EXPECT_EQ(r.valueText, QStringLiteral("1.2.3"));
    EXPECT_EQ(r.reason, WriteRejection::NotANumber);
    EXPECT_FALSE(model.writePending());
    const long cycles = controller->cycleCount();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->cycleCount() > cycles + 1; }, kWaitMs));
    EXPECT_FALSE(controller->isFinished());
    EXPECT_FALSE(anyWrite());
    EXPECT_FALSE(receiver.wrongThread);
}

TEST_F(ControllerTest, DestroyingARunningControllerCutsTheBlockedReadShort)
{
    // Every read hangs until the link is interrupted; without the abort the first one
    // would hold the thread for the fake's ten-second bound.
    bench.setBlockingReads(true);
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 10; ++s)
            bench.setSilent(p, (p - 1) * 10 + s, true);
    makeController();
    controller->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bench.transactions().empty(); }, kWaitMs));

    QElapsedTimer timer;
    timer.start();
    controller.reset();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(bench.interrupted());
    EXPECT_EQ(bench.transactions().size(), 1u) << "no transaction after the stop";
}

TEST_F(ControllerTest, StopRequestReturnsAtOnceAndNothingFollowsIt)
{
    makeController();
    controller->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->cycleCount() >= 1; }, kWaitMs));
    controller->requestStop();
    const std::size_t atStop = bench.transactions().size();
    ASSERT_TRUE(controller->wait(kWaitMs));
    // At most the transaction that was already starting when the flag went up.
    EXPECT_LE(bench.transactions().size(), atStop + 1);
    model.RequestWrite(1, 1, 0, QStringLiteral("5"));
    EXPECT_TRUE(model.writePending());
}

TEST_F(ControllerTest, IdleEngineWakesAtOnceForAWriteAndForTheStop)
{
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 10; ++s)
            bench.setSilent(p, (p - 1) * 10 + s, true);
    makeController();
    // Long enough that only the wake-up can explain a prompt write.
    controller->setIdlePause(std::chrono::minutes(10));
    controller->start();
    // Four failing cycles unlink every slot; the fifth makes no transaction.
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->cycleCount() >= 5; }, kWaitMs));
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 10; ++s)
            ASSERT_TRUE(model.unlinked(p, s));

    model.RequestWrite(2, 3, 0, QStringLiteral("42"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return anyWrite(); }, kWaitMs));
    EXPECT_FALSE(model.writePending());

    QElapsedTimer timer;
    timer.start();
    controller.reset();
    EXPECT_LT(timer.elapsed(), 1000);
}

TEST_F(ControllerTest, ControllerNeverStartedIsDestroyedCleanly)
{
    makeController();
    controller.reset();
    EXPECT_TRUE(bench.transactions().empty());
}
} // namespace

