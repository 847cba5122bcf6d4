// tempmon-link as an operator runs it, against the simulator.

#include "posixserialport.h"
#include "simprocess.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QDeadlineTimer>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(TEMPMON_LINK_TOOL, args);
    ToolRun run;
    if (!tool.waitForStarted(5000) || !tool.waitForFinished(10000)) {
        tool.kill();
        tool.waitForFinished(3000);
        return run;
    }
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.out = QString::fromLocal8Bit(tool.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(tool.readAllStandardError());
    return run;
}

class LinkTool : public ::testing::Test {
protected:
    void startSim(QStringList args)
    {
        args << "--tick-ms" << "60000";
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->start());
    }

    QStringList on(int line, const char *psl, const char *converter, int station, const char *address)
    {
        return {"--device", sim->device(line), "--psl", psl, "--converter", converter,
                "--station", QString::number(station), "--address", address};
    }

    bool waitForRegister(int line, int station, int reg, const QString &value)
    {
        QDeadlineTimer deadline(3000);
        while (!deadline.hasExpired())
            if (sim->command(QString("get %1 %2 %3").arg(line).arg(station).arg(reg)) == "ok " + value)
                return true;
        return false;
    }

    std::unique_ptr<SimProcess> sim;
};

TEST_F(LinkTool, ReadsWritesAndReportsSilence)
{
    startSim({"--line", "psl=rtu,echo=on,wire=off,latency=0.2,stations=1-3",
              "--line", "psl=vorn,echo=off,wire=off,latency=0.2,stations=4"});
    ASSERT_EQ(sim->command("hold 1 2 on"), "ok");
    ASSERT_EQ(sim->command("pv 1 2 -15"), "ok");

    ToolRun r = runTool(QStringList{"read"} + on(1, "rtu", "echo", 2, "0x8A"));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "-15\n");

    r = runTool(QStringList{"write"} + on(2, "vorn", "direct", 4, "0") + QStringList{"--value", "-300"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("not confirmed")) << r.out.toStdString();
    ASSERT_TRUE(waitForRegister(2, 4, 0, "-300"));
    r = runTool(QStringList{"read"} + on(2, "vorn", "direct", 4, "0"));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "-300\n");

    r = runTool(QStringList{"write"} + on(2, "vorn", "direct", 4, "0x60") + QStringList{"--value", "0x10"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("register 0x60 (sent as 0x62)")) << r.out.toStdString();
    ASSERT_TRUE(waitForRegister(2, 4, 0x62, "16"));
    // SOFT's address goes to a register of its own, not onto PVOS's.
    r = runTool(QStringList{"write"} + on(2, "vorn", "direct", 4, "0x65") + QStringList{"--value", "500"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("register 0x65 (sent as 0x67)")) << r.out.toStdString();
    ASSERT_TRUE(waitForRegister(2, 4, 0x67, "500"));

    {
        PosixSerialPort holder;
        ASSERT_TRUE(holder.open(sim->device(1).toStdString()));
        r = runTool(QStringList{"read"} + on(1, "rtu", "echo", 2, "0x8A"));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("in use by another program")) << r.err.toStdString();
    }

    ASSERT_EQ(sim->command("fault 1 3 silent"), "ok");
    ASSERT_EQ(sim->command("reset"), "ok");
    r = runTool(QStringList{"read"} + on(1, "rtu", "echo", 3, "0x8a") + QStringList{"--retry", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no valid reply from station 3 register 0x8A after 2 attempts"))
        << r.err.toStdString();
    EXPECT_TRUE(sim->command("stats").contains("requests=2"));
}

// --port goes through the program's port map, which the simulator fills in.
TEST_F(LinkTool, PortNumberIsResolvedThroughThePortMap)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    startSim({"--line", "psl=vorn,echo=on,wire=off,latency=0.2,stations=9", "--register-ports=7"});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
    ASSERT_FALSE(HasFatalFailure());

    ASSERT_EQ(sim->command("hold 1 9 on"), "ok");
    ASSERT_EQ(sim->command("pv 1 9 321"), "ok");
    const QStringList rest{"--psl", "vorn", "--converter", "echo", "--station", "9", "--address", "138"};
    ToolRun r = runTool(QStringList{"read", "--port", "7"} + rest, env);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "321\n");
}

TEST_F(LinkTool, UnusablePortAndBadArguments)
{
    const QStringList rest{"--psl", "rtu", "--converter", "direct", "--station", "1", "--address", "0"};
    ToolRun r = runTool(QStringList{"read", "--device", "/dev/tempmon-no-such-port"} + rest);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("/dev/tempmon-no-such-port cannot be opened")) << r.err.toStdString();
    r = runTool(QStringList{"write", "--device", "/dev/tempmon-no-such-port", "--value", "1"} + rest);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cannot be opened")) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains("sent"));

    const QStringList bad[] = {
        {},
        {"read"},
        QStringList{"read", "--port", "1", "--station", "0"} + rest.mid(0, 4) + QStringList{"--address", "0"},
        QStringList{"write", "--port", "1"} + rest,
    };
    for (const QStringList &args : bad) {
        r = runTool(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("tempmon-link: ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("usage: tempmon-link")) << r.err.toStdString();
    }
    r = runTool({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("usage: tempmon-link"));
    EXPECT_TRUE(r.err.isEmpty());
}

} // namespace
