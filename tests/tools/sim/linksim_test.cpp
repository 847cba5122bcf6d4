// TRs485Comm against the running simulator, over the simulator's ptys.

#include "ptyclient.h"
#include "systemserialport.h"
#include "simprocess.h"

#include "trs485comm.h"

#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct LineKind {
    const char *description;
    TPsl psl;
    TConverter converter;
    const char *name;
};

const LineKind kKinds[] = {
    {"psl=rtu,echo=off", TPsl::rtu, TConverter::RS485, "rtu/RS485"},
    {"psl=rtu,echo=on", TPsl::rtu, TConverter::RS422_485, "rtu/RS422_485"},
    {"psl=vorn,echo=off", TPsl::vorn, TConverter::RS485, "vorn/RS485"},
    {"psl=vorn,echo=on", TPsl::vorn, TConverter::RS422_485, "vorn/RS422_485"},
};

class LinkAgainstSim : public ::testing::Test {
protected:
    // Port n is line n of the simulator, looked up at every open so a line that
    // comes back on another pty is found.
    void startSim(QStringList args)
    {
        args << "--tick-ms" << "60000";
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->start());
        comm = std::make_unique<TRs485Comm>(
            systemSerialPortFactory(),
            [this](int port) { return sim->device(port).toStdString(); });
    }

    void pointAt(int line, const LineKind &kind, int readRetry)
    {
        comm->ComPort = line;
        comm->Psl = kind.psl;
        comm->Converter = kind.converter;
        comm->ReadRetry = readRetry;
    }

    QString get(int line, int station, int reg)
    {
        return sim->command(QString("get %1 %2 %3").arg(line).arg(station).arg(reg)).mid(3);
    }

    // A write is never answered to the link; wait until the controller has it.
    bool waitForRegister(int line, int station, int reg, const QString &value)
    {
        QDeadlineTimer deadline(3000);
        while (!deadline.hasExpired())
            if (get(line, station, reg) == value)
                return true;
        return false;
    }

    int requests()
    {
        const QString stats = sim->command("stats");
        const int from = stats.indexOf("requests=") + 9;
        return stats.mid(from, stats.indexOf(' ', from) - from).toInt();
    }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TRs485Comm> comm;
};

TEST_F(LinkAgainstSim, ReadsAndWritesInBothProtocolsWithAndWithoutEcho)
{
    QStringList args;
    for (const LineKind &k : kKinds)
        args << "--line" << QString("%1,wire=off,latency=0.3,stations=1-3").arg(k.description);
    startSim(args);
    for (int i = 0; i < 4; ++i) {
        const LineKind &k = kKinds[i];
        SCOPED_TRACE(k.name);
        const int line = i + 1;
        ASSERT_EQ(sim->command(QString("hold %1 2 on").arg(line)), "ok");
        ASSERT_EQ(sim->command(QString("pv %1 2 -15").arg(line)), "ok");
        pointAt(line, k, 1);

        ASSERT_TRUE(comm->Receive(2, 0x8A));
        EXPECT_EQ(comm->ReceivedValue(), "-15");
        ASSERT_TRUE(comm->Receive(2, 0x00));
        EXPECT_EQ(QString::fromStdString(comm->ReceivedValue()), get(line, 2, 0));

        comm->Send('W', 0x00, 2, 1234);
        ASSERT_TRUE(waitForRegister(line, 2, 0, "1234"));
        ASSERT_TRUE(comm->Receive(2, 0x00));
        EXPECT_EQ(comm->ReceivedValue(), "1234");

        // The link maps parameter 0x60 to register 0x62; the controller keeps it there.
        const QString at60 = get(line, 2, 0x60);
        comm->Send('W', 0x60, 2, 0xFF9C);
        ASSERT_TRUE(waitForRegister(line, 2, 0x62, "-100"));
        EXPECT_EQ(get(line, 2, 0x60), at60);
        ASSERT_TRUE(comm->Receive(2, 0x62)); // reads are not mapped
        EXPECT_EQ(comm->ReceivedValue(), "-100");
    }
}

TEST_F(LinkAgainstSim, SilentStationIsAskedReadRetryPlusOneTimes)
{
    startSim({"--line", "psl=vorn,echo=on,wire=off,latency=0.2,stations=1-2"});
    pointAt(1, kKinds[3], 2);
    ASSERT_TRUE(comm->Receive(1, 0x86));
    const std::string before = comm->ReceivedValue();
    ASSERT_EQ(sim->command("fault 1 1 silent"), "ok");
    ASSERT_EQ(sim->command("reset"), "ok");
    EXPECT_FALSE(comm->Receive(1, 0x8A));
    EXPECT_EQ(requests(), 3);
    EXPECT_EQ(comm->ReceivedValue(), before);

    for (const char *fault : {"corrupt", "garbage"}) {
        SCOPED_TRACE(fault);
        ASSERT_EQ(sim->command(QString("fault 1 1 %1").arg(fault)), "ok");
        ASSERT_EQ(sim->command("reset"), "ok");
        EXPECT_FALSE(comm->Receive(1, 0x8A));
        EXPECT_EQ(requests(), 3);
    }
    // Its neighbour is unaffected.
    EXPECT_TRUE(comm->Receive(2, 0x8A));
}

TEST_F(LinkAgainstSim, EverySecondAnswerIsEnoughWithOneRetry)
{
    startSim({"--line", "psl=rtu,echo=on,wire=off,latency=0.2,stations=1"});
    pointAt(1, kKinds[1], 1);
    ASSERT_EQ(sim->command("fault 1 1 every 2"), "ok");
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(comm->Receive(1, 0x8A)) << "read " << i;
    ASSERT_EQ(sim->command("fault 1 1 every 3"), "ok");
    pointAt(1, kKinds[1], 0);
    int good = 0;
    for (int i = 0; i < 9; ++i)
        good += comm->Receive(1, 0x8A) ? 1 : 0;
    EXPECT_EQ(good, 3);
}

// With the echo converter an attempt waits 15 x 12 ms = 180 ms. A reply 100 ms late
// arrives within the first attempt; one 250 ms late lands in the second attempt
// behind that attempt's echo, which is exactly where the link looks; one 500 ms
// late misses both attempts and must not confuse the next transaction.
TEST_F(LinkAgainstSim, LateRepliesSpillIntoTheNextAttempt)
{
    startSim({"--line", "psl=rtu,echo=on,wire=off,latency=0.2,stations=1"});
    pointAt(1, kKinds[1], 1);
    ASSERT_EQ(sim->command("hold 1 1 on"), "ok");
    ASSERT_EQ(sim->command("pv 1 1 777"), "ok");
    struct Case {
        int lateMs;
        bool ok;
        int requests;
    } cases[] = {{100, true, 1}, {250, true, 2}, {500, false, 2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lateMs);
        ASSERT_EQ(sim->command(QString("fault 1 1 late %1").arg(c.lateMs)), "ok");
        ASSERT_EQ(sim->command("reset"), "ok");
        EXPECT_EQ(comm->Receive(1, 0x8A), c.ok);
        if (c.ok) {
            EXPECT_EQ(comm->ReceivedValue(), "777");
        }
        EXPECT_EQ(requests(), c.requests);
    }
    ASSERT_EQ(sim->command("fault 1 1 none"), "ok");
    ASSERT_EQ(sim->command("pv 1 1 778"), "ok");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(comm->Receive(1, 0x8A));
        EXPECT_EQ(comm->ReceivedValue(), "778");
    }
}

TEST_F(LinkAgainstSim, LineDownFailsAtOnceAndLineUpWorksAgain)
{
    startSim({"--line", "psl=vorn,echo=off,wire=off,latency=0.2,stations=5"});
    pointAt(1, kKinds[2], 5);
    ASSERT_TRUE(comm->Receive(5, 0x8A));
    ASSERT_EQ(sim->command("line 1 down"), "ok line 1 down");
    ASSERT_EQ(sim->command("reset"), "ok");
    EXPECT_FALSE(comm->Receive(5, 0x8A));
    EXPECT_FALSE(comm->portReady());
    comm->Send('W', 0x00, 5, 1); // no effect, no hang
    ASSERT_TRUE(sim->command("line 1 up").startsWith("ok line 1 /dev/pts/"));
    EXPECT_EQ(requests(), 0);
    EXPECT_TRUE(comm->Receive(5, 0x8A));
    EXPECT_NE(get(1, 5, 0), "1");
}

// The link opens and closes the port for every transaction while the simulator
// keeps its side open the whole time; the exclusive open must keep working.
TEST_F(LinkAgainstSim, ThousandOpenCloseCyclesAndExclusiveOpen)
{
    startSim({"--line", "psl=rtu,echo=on,wire=off,latency=0,stations=1"});
    pointAt(1, kKinds[1], 0);
    // What is tested is the opening and closing, not the reply time: a simulator
    // held off the processor for a moment by a loaded machine must not count.
    comm->ReadByteTimeout = 200;
    int good = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i % 100 == 50)
            comm->Send('W', 0x01, 1, std::uint16_t(i));
        good += comm->Receive(1, 0x8A) ? 1 : 0;
    }
    EXPECT_EQ(good, 1000);

    PtyClient other;
    ASSERT_TRUE(other.open(sim->device(1).toStdString()));
    ASSERT_EQ(sim->command("reset"), "ok");
    EXPECT_FALSE(comm->Receive(1, 0x8A)) << "a port held by another program must not open";
    EXPECT_EQ(requests(), 0);
    other.close();
    EXPECT_TRUE(comm->Receive(1, 0x8A));
}

} // namespace
