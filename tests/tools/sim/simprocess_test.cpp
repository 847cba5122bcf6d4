// The simulator as the program sees it: started through SimProcess, spoken to over
// its ptys with raw bytes.

#include "ptyclient.h"
#include "simprocess.h"

#include "frames.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

#include <sys/stat.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string dev(const SimProcess &sim, int line)
{
    return sim.device(line).toStdString();
}

bool exists(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// One read transaction the way the program makes it, on an open client.
ReplyCheck readOnce(PtyClient &client, TPsl psl, TConverter conv, int station, TAddress address, int deadlineMs = 200)
{
    const ReplyLayout layout = replyLayout(psl, conv);
    client.write(buildReadRequest(psl, station, address));
    const Bytes got = client.read(std::size_t(layout.bytesRead), deadlineMs);
    return checkReply(psl, conv, got.data(), got.size());
}

int simValue(SimProcess &sim, const QString &command)
{
    const QString answer = sim.command(command);
    EXPECT_TRUE(answer.startsWith("ok ")) << answer.toStdString();
    return answer.mid(3).toInt();
}

TEST(SimProcessTest, StartsThreeDefaultLinesAndAnswersEachCommandOnce)
{
    SimProcess sim({"--tick-ms", "1000"});
    ASSERT_TRUE(sim.start());
    const QStringList out = sim.startupOutput();
    ASSERT_EQ(out.size(), 4);
    EXPECT_TRUE(out[0].startsWith("line 1 /dev/pts/")) << out[0].toStdString();
    EXPECT_TRUE(out[0].endsWith(" rtu echo=off baud=38400 stations=1-10"));
    EXPECT_TRUE(out[1].endsWith(" rtu echo=on baud=38400 stations=11-20"));
    EXPECT_TRUE(out[2].endsWith(" vorn echo=on baud=38400 stations=21-30"));
    EXPECT_EQ(out[3], "ready");
    for (int line = 1; line <= 3; ++line)
        EXPECT_TRUE(exists(dev(sim, line))) << dev(sim, line);

    EXPECT_EQ(simValue(sim, "get 1 1 0x86"), 104);
    EXPECT_EQ(sim.command("set 2 11 0x62 -5"), "ok");
    EXPECT_EQ(sim.command("get 2 11 0x62"), "ok -5");
    EXPECT_EQ(sim.command("set 2 11 0x62 0xFFF1"), "ok");
    EXPECT_EQ(sim.command("get 2 11 0x62"), "ok -15");
    EXPECT_EQ(sim.command("model 3 21 104 53 2"), "ok dp=2");
    // Errors name the problem, and the next command is answered normally.
    EXPECT_TRUE(sim.command("get 1 11 0").startsWith("error no station 11 on line 1"));
    EXPECT_TRUE(sim.command("fault 4 1 silent").startsWith("error no line 4"));
    EXPECT_TRUE(sim.command("jump").startsWith("error unknown command"));
    EXPECT_EQ(sim.command("hold 1 1 on"), "ok");
    EXPECT_EQ(sim.command("pv 1 1 1234"), "ok");
    EXPECT_EQ(sim.command("get 1 1 0x8a"), "ok 1234");
}

struct LineKind {
    const char *description;
    TPsl psl;
    TConverter converter;
};

TEST(SimProcessTest, EveryLineKindAnswersInTheProgramsFormat)
{
    const LineKind kinds[] = {
        {"psl=rtu,echo=off", TPsl::rtu, TConverter::RS485},
        {"psl=rtu,echo=on", TPsl::rtu, TConverter::RS422_485},
        {"psl=vorn,echo=off", TPsl::vorn, TConverter::RS485},
        {"psl=vorn,echo=on", TPsl::vorn, TConverter::RS422_485},
        {"psl=auto,echo=on", TPsl::rtu, TConverter::RS422_485},
        {"psl=auto,echo=on", TPsl::vorn, TConverter::RS422_485},
    };
    QStringList args{"--tick-ms", "60000"};
    for (const LineKind &k : kinds)
        args << "--line" << QString("%1,wire=off,latency=0.2,stations=1-3").arg(k.description);
    SimProcess sim(args);
    ASSERT_TRUE(sim.start());
    for (int i = 0; i < int(std::size(kinds)); ++i) {
        const LineKind &k = kinds[i];
        SCOPED_TRACE(std::string(k.description) + (k.psl == TPsl::rtu ? " asked in rtu" : " asked natively"));
        const int line = i + 1;
        ASSERT_EQ(sim.command(QString("set %1 2 0x00 -200").arg(line)), "ok");
        PtyClient client;
        ASSERT_TRUE(client.open(dev(sim, line)));
        const ReplyCheck check = readOnce(client, k.psl, k.converter, 2, 0x00);
        ASSERT_TRUE(check.accepted()) << verdictText(check.verdict);
        EXPECT_EQ(check.value, -200);
        // A station the line does not carry stays silent (the echo still comes back).
        const ReplyLayout layout = replyLayout(k.psl, k.converter);
        client.write(buildReadRequest(k.psl, 9, 0x00));
        EXPECT_EQ(client.read(std::size_t(layout.bytesRead), 30).size(), std::size_t(layout.replyOffset));
    }
}

TEST(SimProcessTest, FaultsSpoilOrSilenceTheReplies)
{
    SimProcess sim({"--line", "psl=rtu,echo=on,wire=off,latency=0.2,stations=1", "--tick-ms", "60000"});
    ASSERT_TRUE(sim.start());
    struct Case {
        const char *fault;
        std::size_t bytes;
        bool accepted;
    } cases[] = {
        {"none", 15, true}, {"silent", 8, false}, {"corrupt", 15, false}, {"garbage", 15, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_EQ(sim.command(QString("fault 1 1 %1").arg(c.fault)), "ok");
        PtyClient client;
        ASSERT_TRUE(client.open(dev(sim, 1)));
        for (int attempt = 0; attempt < 3; ++attempt) {
            client.write(buildReadRequest(TPsl::rtu, 1, 0x8A));
            const Bytes got = client.read(15, c.bytes == 15 ? 500 : 40);
            ASSERT_EQ(got.size(), c.bytes);
            EXPECT_EQ(checkReply(TPsl::rtu, TConverter::RS422_485, got.data(), got.size()).accepted(), c.accepted);
        }
    }
    ASSERT_EQ(sim.command("fault 1 1 every 2"), "ok");
    PtyClient client;
    ASSERT_TRUE(client.open(dev(sim, 1)));
    std::string pattern;
    for (int i = 0; i < 6; ++i)
        pattern += readOnce(client, TPsl::rtu, TConverter::RS422_485, 1, 0x8A, 40).accepted() ? 'y' : 'n';
    EXPECT_EQ(pattern, "nynyny");
}

// A reply that falls due after its client closed the port must not reach the
// next opening: the program's next transaction would take it for its own.
TEST(SimProcessTest, RepliesDoNotOutliveTheOpeningThatAskedForThem)
{
    SimProcess sim({"--line", "psl=vorn,echo=on,stations=21", "--tick-ms", "60000"});
    ASSERT_TRUE(sim.start());
    for (int value = 1; value <= 40; ++value) {
        SCOPED_TRACE(value);
        PtyClient writer;
        ASSERT_TRUE(writer.open(dev(sim, 1)));
        writer.write(buildWriteFrame(TPsl::vorn, 'W', 0x00, 21, std::uint16_t(value)));
        writer.close(); // at once, as the program does after a write

        PtyClient reader;
        ASSERT_TRUE(reader.open(dev(sim, 1)));
        const ReplyCheck check = readOnce(reader, TPsl::vorn, TConverter::RS422_485, 21, 0x00);
        ASSERT_TRUE(check.accepted()) << verdictText(check.verdict);
        EXPECT_EQ(check.value, value);
    }

    // A late reply spills into the next attempt of the same opening ...
    ASSERT_EQ(sim.command("fault 1 21 late 40"), "ok");
    PtyClient client;
    ASSERT_TRUE(client.open(dev(sim, 1)));
    EXPECT_FALSE(readOnce(client, TPsl::vorn, TConverter::RS422_485, 21, 0x8A, 20).accepted());
    const Bytes second = [&] {
        client.write(buildReadRequest(TPsl::vorn, 21, 0x8A));
        return client.read(15, 200);
    }();
    ASSERT_EQ(second.size(), 15u);
    EXPECT_TRUE(checkReply(TPsl::vorn, TConverter::RS422_485, second.data(), second.size()).accepted());
    client.close(); // ... but the second attempt's own late reply dies with the port.

    ASSERT_EQ(sim.command("fault 1 21 none"), "ok");
    ASSERT_TRUE(client.open(dev(sim, 1)));
    EXPECT_TRUE(readOnce(client, TPsl::vorn, TConverter::RS422_485, 21, 0x8A).accepted());
    EXPECT_TRUE(client.read(1, 80).empty());
}

TEST(SimProcessTest, WireTimeAndStatistics)
{
    SimProcess sim({"--line", "psl=rtu,echo=off,baud=9600,latency=5,stations=1", "--tick-ms", "60000"});
    ASSERT_TRUE(sim.start());
    const std::int64_t charNs = 11LL * 1000000000LL / 9600;
    const std::int64_t answeredNs = 8 * charNs + 5000000 + 7 * charNs;

    PtyClient client;
    ASSERT_TRUE(client.open(dev(sim, 1)));
    for (int i = 0; i < 3; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        ASSERT_TRUE(readOnce(client, TPsl::rtu, TConverter::RS485, 1, 0x8A).accepted());
        const auto spent = std::chrono::steady_clock::now() - t0;
        // No reply can be complete before its bytes have crossed the emulated wire.
        EXPECT_GE(std::chrono::duration_cast<std::chrono::nanoseconds>(spent).count(), answeredNs);
    }
    client.write(buildReadRequest(TPsl::rtu, 2, 0x8A)); // no such station
    EXPECT_TRUE(client.read(7, 40).empty());

    const std::int64_t boundUs = (3 * answeredNs + 8 * charNs) / 1000;
    EXPECT_EQ(sim.command("stats"),
              QString("ok requests=4 replies=3 bound_us=%1 L1:requests=4,replies=3,bound_us=%1").arg(boundUs));
    EXPECT_EQ(sim.command("reset"), "ok");
    EXPECT_EQ(sim.command("stats"), "ok requests=0 replies=0 bound_us=0 L1:requests=0,replies=0,bound_us=0");
}

TEST(SimProcessTest, LineDownAndUpRepointsTheLink)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString links = dir.filePath("links");
    SimProcess sim({"--line", "wire=off,latency=0.1", "--link-dir", links, "--tick-ms", "60000"});
    ASSERT_TRUE(sim.start());
    const std::string link = (links + "/line1").toStdString();
    EXPECT_EQ(QFileInfo(QString::fromStdString(link)).symLinkTarget(), sim.device(1));

    PtyClient client;
    ASSERT_TRUE(client.open(link));
    EXPECT_TRUE(readOnce(client, TPsl::rtu, TConverter::RS485, 1, 0x8A).accepted());
    client.close();

    const QString old = sim.device(1);
    EXPECT_EQ(sim.command("line 1 down"), "ok line 1 down");
    EXPECT_FALSE(client.open(link));
    EXPECT_FALSE(exists(link));
    EXPECT_TRUE(sim.command("line 1 down").startsWith("ok")); // already down: nothing to do

    const QString answer = sim.command("line 1 up");
    ASSERT_TRUE(answer.startsWith("ok line 1 /dev/pts/")) << answer.toStdString();
    EXPECT_EQ(answer.mid(10), sim.device(1));
    EXPECT_EQ(QFileInfo(QString::fromStdString(link)).symLinkTarget(), sim.device(1));
    ASSERT_TRUE(client.open(link));
    EXPECT_TRUE(readOnce(client, TPsl::rtu, TConverter::RS485, 1, 0x8A).accepted());
    (void)old;
}

TEST(SimProcessTest, RegistersPortsWithoutTouchingOtherSettings)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath("settings.ini");
    {
        QSettings s(ini, QSettings::IniFormat);
        s.setValue("FmCommSetting/Psl", 1);
        s.setValue("SerialPortMap/COM9", "/dev/ttyUSB0");
        s.setValue("SerialPortMap/COM4", "/dev/old");
    }
    const QString links = dir.filePath("links");
    SimProcess sim({"--register-ports=4,5,6", "--settings-file", ini, "--link-dir", links, "--tick-ms", "60000"});
    ASSERT_TRUE(sim.start());
    {
        QSettings s(ini, QSettings::IniFormat);
        EXPECT_EQ(s.value("FmCommSetting/Psl").toInt(), 1);
        EXPECT_EQ(s.value("SerialPortMap/COM9").toString(), "/dev/ttyUSB0");
        for (int line = 1; line <= 3; ++line)
            EXPECT_EQ(s.value(QString("SerialPortMap/COM%1").arg(line + 3)).toString(),
                      QString("%1/line%2").arg(links).arg(line));
    }
    sim.stop();

    // Without a link folder the pty path is registered, and again after "line up".
    SimProcess plain({"--register-ports=2", "--settings-file", ini, "--line", "wire=off", "--tick-ms", "60000"});
    ASSERT_TRUE(plain.start());
    EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value("SerialPortMap/COM2").toString(), plain.device(1));
    ASSERT_TRUE(plain.command("line 1 down").startsWith("ok"));
    ASSERT_TRUE(plain.command("line 1 up").startsWith("ok"));
    EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value("SerialPortMap/COM2").toString(), plain.device(1));
}

TEST(SimProcessTest, TerminationSignalRemovesTheLinks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString links = dir.filePath("links");
    SimProcess sim({"--link-dir", links, "--tick-ms", "60000"});
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(QFileInfo(links + "/line3").isSymLink());
    ASSERT_EQ(::kill(pid_t(sim.pid()), SIGTERM), 0);
    int code = -1;
    ASSERT_TRUE(sim.waitForExit(5000, &code));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(QDir(links).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).isEmpty());
}

TEST(SimProcessTest, BadCommandLineFailsToStart)
{
    SimProcess sim({"--line", "psl=modbus"});
    EXPECT_FALSE(sim.start(5000));
}

} // namespace
