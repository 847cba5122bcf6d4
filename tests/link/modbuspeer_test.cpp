// The link against an independent Modbus RTU implementation (pymodbus), reached
// through a pseudo-terminal: frames built here must be understood there, and its
// replies must pass the check here.

#include "posixserialport.h"
#include "systemserialport.h"
#include "trs485comm.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const char *const kPython = "/usr/bin/python3";

class ModbusPeer : public ::testing::Test {
protected:
    void SetUp() override
    {
        // scripts/setup-deps installs the peer; without it this check would not run
        // at all, which must not pass for a pass.
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        probe.start(kPython, {"-c", "import pymodbus.server, serial_asyncio"});
        if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit
            || probe.exitCode() != 0)
            FAIL() << kPython << " has no pymodbus with serial support (python3-pymodbus, "
                   << "python3-serial-asyncio): " << probe.readAll().trimmed().toStdString();

        peer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        peer.start(kPython, {TEMPMON_MODBUS_PEER});
        ASSERT_TRUE(peer.waitForStarted(5000));
        const QString ready = nextLine(8000);
        ASSERT_TRUE(ready.startsWith("ready /dev/")) << ready.toStdString();
        device = ready.mid(6).toStdString();
        comm = std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                            [this](int) { return device; });
        comm->Psl = TPsl::rtu;
        comm->Converter = TConverter::RS485;
        comm->ReadRetry = 3;
    }

    void TearDown() override
    {
        if (peer.state() == QProcess::NotRunning)
            return;
        peer.closeWriteChannel(); // the peer ends when its stdin closes
        if (!peer.waitForFinished(3000)) {
            peer.kill();
            peer.waitForFinished(3000);
        }
    }

    QString nextLine(int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!peer.canReadLine()) {
            if (deadline.hasExpired() || peer.state() == QProcess::NotRunning)
                return {};
            peer.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        }
        return QString::fromUtf8(peer.readLine()).trimmed();
    }

    // A Modbus slave answers a write with a copy of the frame. The link never reads
    // it: the answer is either discarded by the link's purge or, arriving later, left
    // on the pseudo-terminal for the next opener. Which of the two happens is a race
    // the test must not depend on, so it takes the answer from the peer's report and
    // clears whatever is left before the next read.
    void discardLeftovers()
    {
        PosixSerialPort port;
        ASSERT_TRUE(port.open(device));
        port.purge(true, false);
        port.close();
    }

    static QString hex(const std::vector<std::uint8_t> &bytes)
    {
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()))
                .toHex());
    }

    QProcess peer;
    std::string device;
    std::unique_ptr<TRs485Comm> comm;
};

TEST_F(ModbusPeer, ReadsAndWritesHoldingRegisters)
{
    ASSERT_TRUE(comm->Receive(1, 0x8A));
    EXPECT_EQ(comm->ReceivedValue(), "-15");
    ASSERT_TRUE(comm->Receive(17, 0x10));
    EXPECT_EQ(comm->ReceivedValue(), "300");

    struct Case {
        TAddress address;
        std::uint16_t value;
        int registerWritten;
        const char *readBack;
    } cases[] = {
        {0x10, 1234, 0x10, "1234"},
        {0x20, 0xFF9C, 0x20, "-100"},
        {0x60, 77, 0x62, "77"}, // parameters above 0x5F sit two registers up
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.registerWritten);
        comm->Send('W', c.address, 1, c.value);
        EXPECT_EQ(nextLine(3000), QString("set %1 %2").arg(c.registerWritten).arg(c.value));
        EXPECT_EQ(nextLine(3000),
                  "answer " + hex(buildWriteFrame(TPsl::rtu, 'W', c.address, 1, c.value)));
        discardLeftovers();
        ASSERT_TRUE(comm->Receive(1, TAddress(c.registerWritten)));
        EXPECT_EQ(comm->ReceivedValue(), c.readBack);
    }
}

} // namespace
