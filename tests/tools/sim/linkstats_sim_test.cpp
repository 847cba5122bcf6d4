// `tempmon-link stats` against the simulator: the figures a noisy, a silent, a slow
// and a wrongly wired line produce, as a commissioning engineer would read them.

#include "simprocess.h"

#include <QMap>
#include <QProcess>

#include <gtest/gtest.h>

#ifdef TEMPMON_LINK_TOOL

namespace {

struct StatsRun {
    int exitCode = -1;
    QMap<QString, QString> figures;
    QString output;

    long long count(const char *name) const { return figures.value(QString::fromLatin1(name), "-1").toLongLong(); }
    double ms(const char *name) const { return figures.value(QString::fromLatin1(name)).toDouble(); }
};

class LinkStatsAgainstSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Line 1 without echo, line 2 with it; a little latency so reply times are real.
        sim = std::make_unique<SimProcess>(QStringList{
            "--line", "psl=rtu,echo=off,wire=off,latency=0.3,stations=1-4",
            "--line", "psl=vorn,echo=on,wire=off,latency=0.3,stations=1-4", "--tick-ms", "60000"});
        ASSERT_TRUE(sim->start());
    }

    StatsRun stats(int line, int station, const QString &converter, const QString &psl, int count,
                   QStringList extra = {})
    {
        QProcess tool;
        tool.start(QStringLiteral(TEMPMON_LINK_TOOL),
                   QStringList{"stats", "--device", sim->device(line), "--psl", psl, "--converter", converter,
                               "--station", QString::number(station), "--count", QString::number(count)}
                       + extra);
        StatsRun run;
        if (!tool.waitForFinished(60000))
            return run;
        run.exitCode = tool.exitCode();
        run.output = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
        for (const QString &row : run.output.split('\n', Qt::SkipEmptyParts))
            run.figures.insert(row.section(' ', 0, 0), row.section(' ', 1));
        return run;
    }

    std::unique_ptr<SimProcess> sim;
};

TEST_F(LinkStatsAgainstSim, EveryFourthReadSpoiledIsRecoveredAndCountedOncePerFour)
{
    for (const auto &[line, converter, psl] : {std::tuple{1, "direct", "rtu"}, std::tuple{2, "echo", "vorn"}}) {
        SCOPED_TRACE(line);
        ASSERT_EQ(sim->command(QString("fault %1 2 corrupt 4").arg(line)), "ok");
        const StatsRun run = stats(line, 2, converter, psl, 41);
        ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
        EXPECT_EQ(run.count("transactions"), 41);
        EXPECT_EQ(run.count("good"), 41) << "the repeat recovers every spoiled read";
        EXPECT_NEAR(double(run.count("checksum")), 41.0 / 4, 1.0);
        EXPECT_EQ(run.count("timeouts"), 0);
        EXPECT_EQ(run.count("echo"), 0);
    }
}

TEST_F(LinkStatsAgainstSim, SilentStationShowsOnlyTimeouts)
{
    ASSERT_EQ(sim->command("fault 2 3 silent"), "ok");
    const StatsRun run = stats(2, 3, "echo", "vorn", 3, {"--retry", "1"});
    EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
    EXPECT_EQ(run.count("transactions"), 3);
    EXPECT_EQ(run.count("good"), 0);
    EXPECT_EQ(run.count("timeouts"), 6);
    EXPECT_EQ(run.count("checksum"), 0);
    EXPECT_EQ(run.count("echo"), 0);
    EXPECT_EQ(run.figures.value("median_ms"), "-");
}

TEST_F(LinkStatsAgainstSim, LateStationShowsItsDelayInTheMedian)
{
    ASSERT_EQ(sim->command("fault 1 4 late 20"), "ok");
    const StatsRun late = stats(1, 4, "direct", "rtu", 8);
    ASSERT_EQ(late.exitCode, 0) << late.output.toStdString();
    EXPECT_EQ(late.count("good"), 8);
    EXPECT_GE(late.ms("median_ms"), 20.0);
    EXPECT_GE(late.ms("p95_ms"), late.ms("median_ms"));

    const StatsRun prompt = stats(1, 1, "direct", "rtu", 8);
    EXPECT_LT(prompt.ms("median_ms"), 20.0) << prompt.output.toStdString();
}

TEST_F(LinkStatsAgainstSim, ReplyWithoutItsEchoIsAnEchoFault)
{
    // The program set up for a 4-wire converter on a line that hands nothing back.
    const StatsRun run = stats(1, 1, "echo", "rtu", 2, {"--retry", "0"});
    EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
    EXPECT_EQ(run.count("echo"), 2);
    EXPECT_EQ(run.count("good"), 0);
}

TEST_F(LinkStatsAgainstSim, BadArgumentsExitWithTwo)
{
    const StatsRun run = stats(1, 1, "direct", "rtu", 0);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.output.contains("--count")) << run.output.toStdString();
}

} // namespace

#endif
