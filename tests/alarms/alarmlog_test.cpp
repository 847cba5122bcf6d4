// The alarm log without a window, on SQLite files: an announcement's steps in their
// order with its texts and count, the history lines and their changes, the engine's
// copy of the alarm points, and count statements that fail.

#include "alarmlog.h"
#include "alarmtables.h"
#include "clock.h"
#include "localeformats.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return at; }
    QDateTime at{QDate(2024, 5, 1), QTime(14, 5, 7)};
};

class AlarmLogTest : public ::testing::Test {
protected:
    void SetUp() override { open(); }

    void open()
    {
        log.reset();
        tables = std::make_unique<AlarmTables>(dir.filePath(QStringLiteral("info.db")),
                                               dir.filePath(QStringLiteral("count.db")));
        log = std::make_unique<AlarmLog>(
            *tables,
            AlarmPointSink{[this](int panel, int slot, const AlarmLimits &limits) { points[{panel, slot}] = limits; },
                           [this](int panel, int slot) { points.erase({panel, slot}); }},
            clock, locale, [this] { steps << QStringLiteral("sound, %1 lines").arg(log->lineTexts().size()); });
        QObject::connect(log.get(), &AlarmLog::linesChanged, [this](const QStringList &lines) {
            steps << QStringLiteral("lines: %1").arg(lines.size());
            told = lines;
        });
        QObject::connect(log.get(), &AlarmLog::announced, [this](const AnnouncedAlarm &alarm) {
            steps << QStringLiteral("announced, count %1").arg(storedCount(alarm.panel, alarm.slot));
            announced.append(alarm);
        });
        ASSERT_EQ(log->openTables(), QString());
    }

    QString storedCount(int panel, int slot)
    {
        QSqlQuery query(tables->count().handle());
        query.exec(QStringLiteral("SELECT AlarmCount FROM DbAlmCount WHERE Panel='%1' AND ControllerNO='%2'")
                       .arg(panel, 2, 10, QLatin1Char('0'))
                       .arg(slot, 2, 10, QLatin1Char('0')));
        return query.next() ? query.value(0).toString() : QStringLiteral("none");
    }

    static QStringList rows(const QAbstractItemModel *model)
    {
        QStringList lines;
        for (int r = 0; model && r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            lines << cells.join(QLatin1Char(' '));
        }
        return lines;
    }

    QTemporaryDir tempDir;
    QDir dir{tempDir.path()};
    FixedClock clock;
    PatternLocaleFormats locale = PatternLocaleFormats::taiwan();
    std::unique_ptr<AlarmTables> tables;
    std::unique_ptr<AlarmLog> log;
    std::map<std::pair<int, int>, AlarmLimits> points;
    QStringList steps;
    QStringList told;
    QList<AnnouncedAlarm> announced;
};

TEST_F(AlarmLogTest, AnnouncementSoundsAddsItsLineTellsItThenCountsIt)
{
    log->announce({AlarmSide::High, 1, 3, 1, QTime(14, 5, 7)});
    clock.at = QDateTime(QDate(2024, 5, 1), QTime(9, 0, 3));
    log->announce({AlarmSide::Low, 2, 7, 12, QTime(9, 0, 2)});

    // The line is there before the alarm window hears of it; the count comes after.
    EXPECT_EQ(steps, QStringList({"sound, 0 lines", "lines: 1", "announced, count 00", "sound, 1 lines", "lines: 2",
                                  "announced, count 00"}));
    const QStringList lines{"偏差高警報!   盤面:1,第3台-->偏差高警報!   時間:下午 02:05:07",
                            "偏差低警報!   盤面:2,第7台-->偏差低警報!   時間:上午 09:00:02"};
    EXPECT_EQ(log->lineTexts(), lines);
    EXPECT_EQ(rows(log->lines()), lines);
    EXPECT_EQ(told, lines);

    ASSERT_EQ(announced.size(), 2);
    const AnnouncedAlarm &low = announced[1];
    EXPECT_EQ(low.time, QDateTime(QDate(2024, 5, 1), QTime(9, 0, 2)));
    EXPECT_EQ(low.panel, 2);
    EXPECT_EQ(low.slot, 7);
    EXPECT_EQ(low.side, AlarmSide::Low);
    EXPECT_EQ(low.number, 12);
    EXPECT_EQ(low.message, "盤面:2,第7台-->偏差低警報!   時間:上午 09:00:02");
    EXPECT_EQ(low.line, lines[1]);

    EXPECT_EQ(storedCount(1, 3), "01");
    EXPECT_EQ(storedCount(2, 7), "12");
    EXPECT_EQ(rows(log->frequency()), QStringList({"01 01 03", "12 02 07"}));
    EXPECT_TRUE(log->countFailure().isEmpty());

    // The next start: every count back to "00".
    log->resetCounts();
    EXPECT_EQ(storedCount(2, 7), "00");
}

TEST_F(AlarmLogTest, AnnouncementKeepsTheDateOfItsTimeOfDay)
{
    struct Case {
        const char *name;
        QDateTime clock;
        QTime taken;
        QDateTime expected;
    };
    const Case cases[] = {
        {"the same day", {QDate(2024, 5, 1), QTime(14, 5, 8)}, QTime(14, 5, 7), {QDate(2024, 5, 1), QTime(14, 5, 7)}},
        {"taken before midnight, handled after it", {QDate(2024, 5, 2), QTime(0, 0, 1)}, QTime(23, 59, 59),
         {QDate(2024, 5, 1), QTime(23, 59, 59)}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        clock.at = c.clock;
        announced.clear();
        log->announce({AlarmSide::Low, 1, 1, 1, c.taken});
        ASSERT_EQ(announced.size(), 1);
        EXPECT_EQ(announced[0].time, c.expected);
    }
}

TEST_F(AlarmLogTest, LinesAreRemovedOneOrAllAndEachChangeIsTold)
{
    for (int slot = 1; slot <= 3; ++slot)
        log->announce({AlarmSide::Low, 1, slot, slot, QTime(8, 0, slot)});
    steps.clear();
    log->removeLine(3);
    log->removeLine(-1);
    EXPECT_TRUE(steps.isEmpty()) << "no such line, no change";

    log->removeLine(1);
    ASSERT_EQ(log->lineTexts().size(), 2);
    EXPECT_TRUE(log->lineTexts()[0].contains(QStringLiteral("第1台")));
    EXPECT_TRUE(log->lineTexts()[1].contains(QStringLiteral("第3台")));
    EXPECT_EQ(told, log->lineTexts());

    log->clearLines();
    EXPECT_TRUE(log->lineTexts().isEmpty());
    EXPECT_TRUE(told.isEmpty());
    EXPECT_EQ(log->lines()->rowCount(), 0);
    EXPECT_EQ(steps, QStringList({"lines: 2", "lines: 0"}));
    log->clearLines();
    EXPECT_EQ(steps.size(), 2) << "an empty list stays quiet";
}

TEST_F(AlarmLogTest, AlarmPointsFollowTheTableAndARefusedDeleteKeepsTheSlotWatched)
{
    AlarmSettingsTable &table = *tables->TableAlm();
    ASSERT_TRUE(table.append({"1", "02", 5, 2.5, "YES"}));
    ASSERT_TRUE(table.append({"3", "10", -1, 4, "NO"}));
    EXPECT_EQ(points.size(), 2u) << "stored rows reach the engine";

    // The next start copies what the table holds.
    points.clear();
    open();
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points.at({1, 2}).LAlarm, "2.5");
    EXPECT_TRUE(points.at({1, 2}).FirstAlarm);
    EXPECT_EQ(points.at({3, 10}).HAlarm, "-1");
    EXPECT_FALSE(points.at({3, 10}).FirstAlarm);

    QStringList refused;
    QObject::connect(log.get(), &AlarmLog::pointRefused, [&](const AlarmPointEntry &entry, const TableResult &result) {
        refused << entry.Panel + QLatin1Char('/') + entry.ControllerNO + (result.keyViolation ? " key" : "");
    });
    EXPECT_FALSE(tables->TableAlm()->append({"3", "10", 1, 1, "YES"}));
    EXPECT_EQ(refused, QStringList{"3/10 key"});
    EXPECT_EQ(points.at({3, 10}).HAlarm, "-1");

    tables->TableAlm()->first();
    EXPECT_TRUE(log->deletePoint());
    EXPECT_EQ(points.count({1, 2}), 0u);
    ASSERT_EQ(points.count({3, 10}), 1u);

    // A delete the table refuses leaves the slot watched, and so does deleting all.
    QSqlQuery drop(tables->info().handle());
    ASSERT_TRUE(drop.exec(QStringLiteral("DROP TABLE DbAlarm")));
    EXPECT_FALSE(log->deletePoint());
    EXPECT_EQ(points.count({3, 10}), 1u);
    EXPECT_FALSE(log->deleteAllPoints());
    EXPECT_EQ(points.count({3, 10}), 1u);
}

TEST_F(AlarmLogTest, FailedCountStatementIsKeptAndTheAnnouncementGoesOn)
{
    QStringList failures;
    QObject::connect(log.get(), &AlarmLog::countFailed, [&](const QString &error) { failures << error; });
    QSqlQuery drop(tables->count().handle());
    ASSERT_TRUE(drop.exec(QStringLiteral("DROP TABLE DbAlmCount")));

    log->announce({AlarmSide::High, 1, 3, 1, QTime(14, 5, 7)});
    EXPECT_EQ(log->lineTexts().size(), 1);
    EXPECT_EQ(announced.size(), 1);
    EXPECT_FALSE(failures.isEmpty());
    EXPECT_FALSE(log->countFailure().isEmpty());
    EXPECT_EQ(log->countFailure(), failures.last());
}

} // namespace
