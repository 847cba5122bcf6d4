// The Recorder on a clock that stands where the test puts it: what a tick reads and
// where it writes, the record timer's interval and when it runs, and a panel whose
// files stay busy for longer than a day of records.

#include "recordfiles.h"
#include "recorder.h"

#include "clock.h"
#include "localeformats.h"
#include "plantmodel.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct FixedClock : Clock {
    QDateTime at{QDate(2018, 6, 14), QTime(9, 0, 4)};
    QDateTime now() const override { return at; }
};

class RecorderTest : public ::testing::Test {
protected:
    RecorderTest()
    {
        // The confirmed folder is another one: a tick writes where the field points.
        recorder.settings().FilePath = dir.filePath(QStringLiteral("confirmed"));
        recorder.setFolderText(folder());
    }

    QString folder() const { return dir.filePath(QStringLiteral("rec")); }
    QString panelFile(int panel, const char *name) const
    {
        return QDir(folder()).filePath(QStringLiteral("盤面%1/").arg(panel) + QString::fromUtf8(name));
    }

    QTemporaryDir dir;
    PlantModel model;
    FixedClock clock;
    PatternLocaleFormats taiwan = PatternLocaleFormats::taiwan();
    Recorder recorder{model, clock, taiwan};
};

TEST_F(RecorderTest, TickWritesEveryPanelsReadingsIntoTheFolderTheFieldHolds)
{
    model.setReading(1, 1, {QStringLiteral("25.0"), QStringLiteral("30.0"), QStringLiteral("40")});
    model.setReading(3, 10, {QStringLiteral("1.5"), QStringLiteral("2.0"), QString()});
    recorder.settings().SaveUnit = 1;
    recorder.setSampleInterval(10, 0);
    recorder.TmrRecordTimer();

    const QByteArray panel1 = fileBytes(panelFile(1, "2018_6_14.txt"));
    EXPECT_TRUE(panel1.contains("\r\n\xA4\x57\xA4\xC8 09:00:04\t25.0\t30.0\t\xB5\x4C\xB3\x73\xB1\xB5\t")) << panel1.data();
    EXPECT_TRUE(fileBytes(panelFile(3, "2018_6_14.txt")).endsWith("\t1.5\t2.0\t\r\n"));
    EXPECT_EQ(fileBytes(panelFile(2, "2018_6_14.txt")).count("\r\n"), 2);
    EXPECT_FALSE(QFileInfo::exists(recorder.settings().FilePath));
}

struct TimerCase {
    const char *what;
    bool save;
    int sampleTime, sampleUnit;
    int intervalMs;
    bool runs;
};

TEST_F(RecorderTest, TimerFollowsSaveAndTheSampleInterval)
{
    QTimer *timer = recorder.timer();
    EXPECT_EQ(timer->objectName(), "TmrRecord");
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_FALSE(timer->isActive());
    const TimerCase cases[] = {
        {"10 seconds", true, 10, 0, 10000, true},
        {"15 minutes", true, 15, 1, 900000, true},
        {"a typed unit counts as minutes", true, 2, -1, 120000, true},
        {"recording off", false, 5, 0, 5000, false},
        {"sample time 0 never ticks", true, 0, 0, 0, false},
        {"a negative sample time never ticks", true, -3, 0, 0, false},
        {"beyond the timer's range never ticks", true, 40000, 1, 0, false},
    };
    for (const TimerCase &c : cases) {
        SCOPED_TRACE(c.what);
        timer->start(1000); // as if recording ran before
        recorder.settings().Save = c.save;
        recorder.setSampleInterval(c.sampleTime, c.sampleUnit);
        recorder.followSave();
        EXPECT_EQ(timer->interval(), c.intervalMs);
        EXPECT_EQ(timer->isActive(), c.runs);
    }
    recorder.settings().Save = true;
    recorder.setSampleInterval(10, 0);
    recorder.followSave();
    recorder.stop();
    EXPECT_FALSE(timer->isActive());
}

TEST_F(RecorderTest, ATickOnAZeroIntervalStopsTheTimerAndWritesNothing)
{
    recorder.setSampleInterval(0, 0);
    recorder.timer()->start();
    recorder.TmrRecordTimer();
    EXPECT_FALSE(recorder.timer()->isActive());
    EXPECT_FALSE(QFileInfo::exists(folder()));
}

#ifndef _WIN32

TEST_F(RecorderTest, RecordsDroppedForABusyFileAreToldOncePerOutage)
{
    // One record an hour keeps 24 lines per panel while its file is busy.
    recorder.settings().SaveUnit = 1;
    recorder.setSampleInterval(60, 1);
    recorder.TmrRecordTimer();
    const QString busy = panelFile(2, "2018_6_14.txt");
    QList<int> told;
    QObject::connect(&recorder, &Recorder::recordsDropped, [&](int panel) { told << panel; });
    const auto ticks = [&](int count) {
        for (int i = 0; i < count; ++i) {
            clock.at = clock.at.addSecs(60);
            recorder.TmrRecordTimer();
        }
    };

    for (int outage = 1; outage <= 2; ++outage) {
        SCOPED_TRACE(outage);
        {
            Holder holder(busy);
            ASSERT_TRUE(holder.locked());
            ticks(24);
            EXPECT_EQ(told.size(), outage - 1) << "a day of lines is still kept";
            ticks(10);
            EXPECT_EQ(told, QList<int>(outage, 2));
            EXPECT_EQ(recorder.writer().heldLines(2), 24);
        }
        ticks(1);
        EXPECT_EQ(recorder.writer().heldLines(2), 0);
    }
    // Each outage: ten lines beyond the day, and one more when the tick that finds the
    // file free holds its own line before it writes.
    EXPECT_EQ(recorder.writer().droppedLines(2), 22);
    EXPECT_EQ(recorder.writer().droppedLines(1), 0);
}

TEST_F(RecorderTest, ShutDownStopsTheTimerAndWritesTheHeldLines)
{
    recorder.settings().Save = true;
    recorder.setSampleInterval(10, 0);
    recorder.followSave();
    recorder.TmrRecordTimer();
    const QString busy = panelFile(1, "2018_6_14_上午9時.txt");
    {
        Holder holder(busy);
        ASSERT_TRUE(holder.locked());
        clock.at = clock.at.addSecs(10);
        recorder.TmrRecordTimer();
        EXPECT_EQ(recorder.writer().heldLines(1), 1);
    }
    recorder.shutDown();
    EXPECT_FALSE(recorder.timer()->isActive());
    EXPECT_EQ(recorder.writer().heldLines(1), 0);
    EXPECT_EQ(fileBytes(busy).count("\r\n"), 3);
}

#endif

} // namespace
