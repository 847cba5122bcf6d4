#include "tcommcontroller.h"

#include "fakecontrollers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <mutex>

namespace {
constexpr int kWaitMs = 10000;

// Lives on the test thread; the controller's signals reach it queued. Each slot notes
// whether it ran on its own thread and passes the values on to a spy.
class Receiver : public QObject {
    Q_OBJECT
public:
    bool wrongThread = false;

public slots:
    void onLamps(int p, int s, TileLamps l) { check(); emit lamps(p, s, l); }
    void onScanLamp(int p, int s) { check(); emit scanLamp(p, s); }
    void onProgress(int p, int pos) { check(); emit progress(p, pos); }
    void onRejected(int p, int s, int code, const QString &text, const QString &reason)
    {
        check();
        emit rejected(p, s, code, text, reason);
    }

signals:
    void lamps(int p, int s, TileLamps l);
    void scanLamp(int p, int s);
    void progress(int p, int pos);
    void rejected(int p, int s, int code, const QString &text, const QString &reason);

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
        controller = std::make_unique<TCommController>(model, bench.makeLink());
        QObject::connect(controller.get(), &TCommController::tileLampsChanged, &receiver,
                         &Receiver::onLamps);
        QObject::connect(controller.get(), &TCommController::scanLampChanged, &receiver,
                         &Receiver::onScanLamp);
        QObject::connect(controller.get(), &TCommController::scanProgress, &receiver,
                         &Receiver::onProgress);
        QObject::connect(controller.get(), &TCommController::writeRejected, &receiver,
                         &Receiver::onRejected);
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
    Receiver receiver;
    std::unique_ptr<TCommController> controller;
};

TEST_F(ControllerTest, ScansThenPollsAndHandsDisplayChangesToTheWindowThread)
{
    bench.setRegister(2, 13, 0x88, 0x0019);
    makeController();
    QSignalSpy progress(&receiver, &Receiver::progress);
    QSignalSpy lamps(&receiver, &Receiver::lamps);
    QSignalSpy scanLamps(&receiver, &Receiver::scanLamp);
    std::mutex m;
    std::vector<QString> hookTexts;
    bool hookOnEngineThread = true;
    const QThread *testThread = QThread::currentThread();
    controller->setDeviationHook([&](int p, int s, const QString &pv, const QString &sv) {
        std::lock_guard<std::mutex> lock(m);
        hookOnEngineThread = hookOnEngineThread && QThread::currentThread() != testThread;
        if (p == 2 && s == 3)
            hookTexts = {pv, sv};
    });
    controller->start();

    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->cycleCount() >= 2 && lamps.size() >= 60; },
                                kWaitMs));
    ASSERT_GE(progress.size(), 30);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(progress.at(i).at(0).toInt(), i / 10 + 1);
        EXPECT_EQ(progress.at(i).at(1).toInt(), i % 10 + 1);
    }
    // The first cycle's order of lamps: slot (1,1) first, then (1,2)...
    EXPECT_EQ(scanLamps.at(0).at(0).toInt(), 1);
    EXPECT_EQ(scanLamps.at(0).at(1).toInt(), 1);
    EXPECT_EQ(scanLamps.at(12).at(0).toInt(), 2);
    EXPECT_EQ(scanLamps.at(12).at(1).toInt(), 3);
    const TileLamps l = lamps.at(12).at(2).value<TileLamps>();
    EXPECT_EQ(lamps.at(12).at(0).toInt(), 2);
    EXPECT_EQ(l, (TileLamps{true, false, true, true}));
    EXPECT_FALSE(receiver.wrongThread);

    controller->requestStop();
    ASSERT_TRUE(controller->wait(kWaitMs));
    std::lock_guard<std::mutex> lock(m);
    EXPECT_TRUE(hookOnEngineThread);
    ASSERT_EQ(hookTexts.size(), 2u);
    EXPECT_EQ(hookTexts[0], model.reading(2, 3).PvText);
    EXPECT_EQ(hookTexts[1], model.reading(2, 3).SvText);
}

TEST_F(ControllerTest, RejectedWriteIsSignalledAndTheEngineCarriesOn)
{
    makeController();
    QSignalSpy rejected(&receiver, &Receiver::rejected);
    controller->start();
    model.RequestWrite(3, 2, 0, QStringLiteral("1.2.3"));
    ASSERT_TRUE(rejected.wait(kWaitMs));
    EXPECT_EQ(rejected.at(0).at(0).toInt(), 3);
    EXPECT_EQ(rejected.at(0).at(1).toInt(), 2);
    EXPECT_EQ(rejected.at(0).at(3).toString(), QStringLiteral("1.2.3"));
    EXPECT_EQ(rejected.at(0).at(4).toString(), QStringLiteral("數值格式錯誤"));
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

#include "tcommcontroller_test.moc"
