// Record ticks against real files: the bytes of every file, and what happens when a
// folder is missing, a file is held by another program or the disk fills up.

#include "recordfiles.h"
#include "recordwriter.h"

#include "filesizelimit.h"

#include "localeformats.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

const QDate kDay(2018, 6, 14);

// Code page 950 bytes of the fixed words.
#define TIME_WORD "\xAE\xC9\xB6\xA1"     // 時間
#define NO_LINK "\xB5\x4C\xB3\x73\xB1\xB5" // 無連接
#define MORNING "\xA4\x57\xA4\xC8"       // 上午
#define AFTERNOON "\xA4\x55\xA4\xC8"     // 下午

const QByteArray kTxtHeader(TIME_WORD "\t\tPV1\tSV1\tPV2\tSV2\tPV3\tSV3\tPV4\tSV4\tPV5\tSV5\tPV6\tSV6\tPV7\tSV7\t"
                            "PV8\tSV8\tPV9\tSV9\tPV10\tSV10\t\r\n");
const QByteArray kXlsHeader(TIME_WORD "\tPV1\tSV1\tPV2\tSV2\tPV3\tSV3\tPV4\tSV4\tPV5\tSV5\tPV6\tSV6\tPV7\tSV7\t"
                            "PV8\tSV8\tPV9\tSV9\tPV10\tSV10\t\r\n");
// Panel 1 as standardPanel() stages it: slot 1 at 25.0 / 30.0, slot 2 without link,
// slots 3 to 10 at 100 / 200.
const QByteArray kFields("25.0\t30.0\t" NO_LINK "\t" NO_LINK "\t"
                         "100\t200\t100\t200\t100\t200\t100\t200\t100\t200\t100\t200\t100\t200\t100\t200\t\r\n");

QByteArray line(const char *timeBytes) { return QByteArray(timeBytes) + '\t' + kFields; }

ReadingsSnapshot standardPanel()
{
    ReadingsSnapshot r;
    r.slotSnapshots[1] = slotTexts(QStringLiteral("25.0"), QStringLiteral("30.0"));
    for (int slot = 3; slot <= 10; ++slot)
        r.slotSnapshots[slot] = slotTexts(QStringLiteral("100"), QStringLiteral("200"));
    return r;
}

struct TickAt {
    QTime time;
    int saveUnit;
    int fileType;
};

struct ExpectedFile {
    const char *name; // in 盤面1
    QByteArray bytes;
};

struct FileCase {
    const char *what;
    std::vector<TickAt> ticks;
    std::vector<ExpectedFile> expected; // every file of 盤面1 afterwards
    std::optional<ExpectedFile> before = std::nullopt; // left in 盤面1 by an earlier run
    bool dashDates = false; // short date "yyyy-MM-dd", long time "HH:mm:ss"
};

class RecordFiles : public ::testing::Test {
protected:
    RecordTick tickAt(const QDateTime &at, int saveUnit = 0, int fileType = 0, int heldLimit = 86400)
    {
        RecordTick tick;
        tick.at = at;
        tick.folderText = folder();
        tick.saveUnit = saveUnit;
        tick.fileType = fileType;
        tick.readings[1] = standardPanel();
        tick.heldLimit = heldLimit;
        return tick;
    }
    QString folder() const { return dir.filePath(QStringLiteral("Temperature Data")); }
    QString panelFolder(int panel) const { return QDir(folder()).filePath(QStringLiteral("盤面%1").arg(panel)); }
    QString panelFile(int panel, const char *name) const { return QDir(panelFolder(panel)).filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    PatternLocaleFormats taiwan = PatternLocaleFormats::taiwan();
    PatternLocaleFormats dashed{QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss"), QStringLiteral("AM"),
                                QStringLiteral("PM")};
};

TEST_F(RecordFiles, BytesOfEachFile)
{
    const FileCase cases[] = {
        {"hourly .txt, first tick at 09:00:04: header, then the record",
         {{QTime(9, 0, 4), 0, 0}},
         {{"2018_6_14_上午9時.txt", kTxtHeader + line(MORNING " 09:00:04")}}},
        {".xls header has one tab after the time column",
         {{QTime(9, 0, 4), 0, 1}},
         {{"2018_6_14_上午9時.xls", kXlsHeader + line(MORNING " 09:00:04")}}},
        {"hour 0",
         {{QTime(0, 30, 0), 0, 0}},
         {{"2018_6_14_上午12時.txt", kTxtHeader + line(MORNING " 12:30:00")}}},
        {"hour 12",
         {{QTime(12, 0, 0), 0, 0}},
         {{"2018_6_14_下午12時.txt", kTxtHeader + line(AFTERNOON " 12:00:00")}}},
        {"hour 14",
         {{QTime(14, 5, 7), 0, 0}},
         {{"2018_6_14_下午2時.txt", kTxtHeader + line(AFTERNOON " 02:05:07")}}},
        {"short date with '-'",
         {{QTime(9, 0, 4), 1, 0}},
         {{"2018-06-14.txt", kTxtHeader + line("09:00:04")}},
         std::nullopt,
         true},
        {"one file for the whole day",
         {{QTime(0, 0, 1), 1, 0}, {QTime(11, 59, 59), 1, 0}, {QTime(23, 59, 59), 1, 0}},
         {{"2018_6_14.txt", kTxtHeader + line(MORNING " 12:00:01") + line(MORNING " 11:59:59")
                                + line(AFTERNOON " 11:59:59")}}},
        {"a new hour starts a new file with the first tick after it",
         {{QTime(9, 59, 58), 0, 0}, {QTime(10, 0, 3), 0, 0}},
         {{"2018_6_14_上午10時.txt", kTxtHeader + line(MORNING " 10:00:03")},
          {"2018_6_14_上午9時.txt", kTxtHeader + line(MORNING " 09:59:58")}}},
        {"a file left by an earlier run is appended to, without a second header",
         {{QTime(9, 30, 0), 0, 0}},
         {{"2018_6_14_上午9時.txt", kTxtHeader + "earlier\t\r\n" + line(MORNING " 09:30:00")}},
         ExpectedFile{"2018_6_14_上午9時.txt", kTxtHeader + "earlier\t\r\n"}},
        {"an empty file left behind gets its header",
         {{QTime(9, 30, 0), 0, 0}},
         {{"2018_6_14_上午9時.txt", kTxtHeader + line(MORNING " 09:30:00")}},
         ExpectedFile{"2018_6_14_上午9時.txt", QByteArray()}},
        {".txt to .xls within the hour: a new .xls file, the .txt stays as it was",
         {{QTime(9, 10, 0), 0, 0}, {QTime(9, 20, 0), 0, 1}},
         {{"2018_6_14_上午9時.txt", kTxtHeader + line(MORNING " 09:10:00")},
          {"2018_6_14_上午9時.xls", kXlsHeader + line(MORNING " 09:20:00")}}},
    };
    for (const FileCase &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QDir(folder()).removeRecursively());
        if (c.before) {
            ASSERT_TRUE(QDir().mkpath(panelFolder(1)));
            writeBytes(panelFile(1, c.before->name), c.before->bytes);
        }
        RecordWriter writer(c.dashDates ? static_cast<const LocaleFormats &>(dashed) : taiwan);
        for (const TickAt &t : c.ticks)
            writer.write(tickAt({kDay, t.time}, t.saveUnit, t.fileType));

        QStringList names;
        for (const ExpectedFile &e : c.expected) {
            names << QString::fromUtf8(e.name);
            EXPECT_EQ(fileBytes(panelFile(1, e.name)), e.bytes) << e.name;
        }
        EXPECT_EQ(entriesOf(panelFolder(1)), names);
        EXPECT_EQ(writer.heldLines(1), 0);
    }
}

TEST_F(RecordFiles, EveryPanelGetsItsOwnLineOnEveryTick)
{
    RecordWriter writer(taiwan);
    RecordTick tick = tickAt({kDay, QTime(9, 0, 4)});
    tick.readings[3].slotSnapshots[10] = slotTexts(QStringLiteral("1.5"), QStringLiteral("2.0"));
    writer.write(tick);

    EXPECT_EQ(entriesOf(folder()), (QStringList{"盤面1", "盤面2", "盤面3"}));
    QByteArray unlinked;
    for (int slot = 1; slot <= 10; ++slot)
        unlinked += NO_LINK "\t" NO_LINK "\t";
    const QByteArray time(MORNING " 09:00:04\t");
    EXPECT_EQ(fileBytes(panelFile(1, "2018_6_14_上午9時.txt")), kTxtHeader + line(MORNING " 09:00:04"));
    EXPECT_EQ(fileBytes(panelFile(2, "2018_6_14_上午9時.txt")), kTxtHeader + time + unlinked + "\r\n");
    EXPECT_EQ(fileBytes(panelFile(3, "2018_6_14_上午9時.txt")),
              kTxtHeader + time + unlinked.left(unlinked.size() - 14) + "1.5\t2.0\t\r\n");
}

TEST_F(RecordFiles, MissingParentRecordsNothingUntilItIsThere)
{
    // The record folder is made one level only: its missing parent is not made.
    const QString parent = dir.filePath(QStringLiteral("usb"));
    RecordWriter writer(taiwan);
    RecordTick tick = tickAt({kDay, QTime(9, 0, 0)});
    tick.folderText = QDir(parent).filePath(QStringLiteral("rec"));
    writer.write(tick);
    tick.at = tick.at.addSecs(1);
    writer.write(tick);
    EXPECT_FALSE(QFileInfo::exists(parent));
    EXPECT_EQ(writer.heldLines(1), 2);

    // The drive comes back: the next tick makes the folders and writes what was held.
    ASSERT_TRUE(QDir().mkdir(parent));
    tick.at = tick.at.addSecs(1);
    writer.write(tick);
    const QString file = QDir(tick.folderText).filePath(QStringLiteral("盤面2/2018_6_14_上午9時.txt"));
    EXPECT_EQ(fileBytes(QDir(tick.folderText).filePath(QStringLiteral("盤面1/2018_6_14_上午9時.txt"))),
              kTxtHeader + line(MORNING " 09:00:00") + line(MORNING " 09:00:01") + line(MORNING " 09:00:02"));
    EXPECT_EQ(fileBytes(file).count("\r\n"), 4);
    EXPECT_EQ(writer.heldLines(1), 0);
    EXPECT_EQ(writer.droppedLines(1), 0);
}

TEST_F(RecordFiles, HeldRecordsFollowTheFolderChosenNow)
{
    // Held for a folder the operator then leaves; they go to the folder of the tick
    // that can write them, into the file of their own hour, and never to the old one
    // even when its drive comes back.
    const QString parent = dir.filePath(QStringLiteral("usb"));
    const QString earlier = QDir(parent).filePath(QStringLiteral("rec"));
    RecordWriter writer(taiwan);
    RecordTick tick = tickAt({kDay, QTime(9, 59, 59)});
    tick.folderText = earlier;
    writer.write(tick);
    EXPECT_EQ(writer.heldLines(1), 1);

    ASSERT_TRUE(QDir().mkdir(parent));
    writer.write(tickAt({kDay, QTime(10, 0, 1)}));
    EXPECT_EQ(fileBytes(panelFile(1, "2018_6_14_上午9時.txt")), kTxtHeader + line(MORNING " 09:59:59"));
    EXPECT_EQ(fileBytes(panelFile(1, "2018_6_14_上午10時.txt")), kTxtHeader + line(MORNING " 10:00:01"));
    EXPECT_EQ(fileBytes(panelFile(2, "2018_6_14_上午9時.txt")).count("\r\n"), 2);
    EXPECT_FALSE(QFileInfo::exists(earlier));
    EXPECT_EQ(writer.heldLines(1), 0);
}

TEST_F(RecordFiles, BlankFolderTextRecordsNothingAnywhere)
{
    // Not even in the working folder.
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    RecordWriter writer(taiwan);
    for (const char *text : {"", "  "}) {
        RecordTick tick = tickAt({kDay, QTime(9, 0, 0)});
        tick.folderText = QString::fromLatin1(text);
        writer.write(tick);
    }
    QDir::setCurrent(working);
    EXPECT_EQ(entriesOf(dir.path()), QStringList());
    EXPECT_EQ(writer.heldLines(1), 0);
}

#ifndef _WIN32

TEST_F(RecordFiles, FileHeldByAnotherProgramGetsItsRecordsAfterwardsInOrder)
{
    RecordWriter writer(taiwan);
    writer.write(tickAt({kDay, QTime(9, 0, 0)}));
    const QString busy = panelFile(1, "2018_6_14_上午9時.txt");
    const QByteArray first = fileBytes(busy);

    Holder holder(busy);
    ASSERT_TRUE(holder.locked());
    for (int s = 1; s <= 3; ++s)
        writer.write(tickAt({kDay, QTime(9, 0, s)}));
    EXPECT_EQ(fileBytes(busy), first);
    EXPECT_EQ(writer.heldLines(1), 3);
    // The other panels are written all the same.
    EXPECT_EQ(fileBytes(panelFile(2, "2018_6_14_上午9時.txt")).count("\r\n"), 5);
    EXPECT_EQ(writer.heldLines(2), 0);

    holder.release();
    writer.write(tickAt({kDay, QTime(9, 0, 4)}));
    EXPECT_EQ(fileBytes(busy), kTxtHeader + line(MORNING " 09:00:00") + line(MORNING " 09:00:01")
                                   + line(MORNING " 09:00:02") + line(MORNING " 09:00:03")
                                   + line(MORNING " 09:00:04"));
    EXPECT_EQ(writer.heldLines(1), 0);
    EXPECT_EQ(writer.droppedLines(1), 0);
}

TEST_F(RecordFiles, HeldRecordsGoToTheFileOfTheirOwnHour)
{
    RecordWriter writer(taiwan);
    writer.write(tickAt({kDay, QTime(9, 59, 58)}));
    const QString nine = panelFile(1, "2018_6_14_上午9時.txt");
    {
        Holder holder(nine);
        ASSERT_TRUE(holder.locked());
        writer.write(tickAt({kDay, QTime(9, 59, 59)}));
        writer.write(tickAt({kDay, QTime(10, 0, 0)}));
        EXPECT_EQ(writer.heldLines(1), 1);
    }
    writer.write(tickAt({kDay, QTime(10, 0, 1)}));
    EXPECT_EQ(fileBytes(nine), kTxtHeader + line(MORNING " 09:59:58") + line(MORNING " 09:59:59"));
    EXPECT_EQ(fileBytes(panelFile(1, "2018_6_14_上午10時.txt")),
              kTxtHeader + line(MORNING " 10:00:00") + line(MORNING " 10:00:01"));
}

TEST_F(RecordFiles, BeyondTheLimitTheOldestHeldRecordsAreDroppedAndCounted)
{
    RecordWriter writer(taiwan);
    writer.write(tickAt({kDay, QTime(9, 0, 0)}));
    const QString busy = panelFile(1, "2018_6_14_上午9時.txt");
    {
        Holder holder(busy);
        ASSERT_TRUE(holder.locked());
        for (int s = 1; s <= 5; ++s)
            writer.write(tickAt({kDay, QTime(9, 0, s)}, 0, 0, 3));
        EXPECT_EQ(writer.heldLines(1), 3);
        EXPECT_EQ(writer.droppedLines(1), 2);
    }
    writer.write(tickAt({kDay, QTime(9, 0, 6)}, 0, 0, 3));
    EXPECT_EQ(fileBytes(busy), kTxtHeader + line(MORNING " 09:00:00") + line(MORNING " 09:00:04")
                                   + line(MORNING " 09:00:05") + line(MORNING " 09:00:06"));
    EXPECT_EQ(writer.droppedLines(1), 3); // 09:00:03 made way for 09:00:06 before the write
    EXPECT_EQ(writer.heldLines(1), 0);
}

TEST_F(RecordFiles, WriteThatStopsPartWayIsUndoneAndTriedAgain)
{
    struct FullCase {
        const char *what;
        bool fileExists; // a first record went in before the disk filled
        rlim_t room;     // bytes the disk takes beyond what is in the file
    };
    const FullCase cases[] = {
        {"part of a record", true, 40},
        {"part of the header of a new file", false, 10},
        {"no byte at all", true, 0},
    };
    for (const FullCase &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QDir(folder()).removeRecursively());
        RecordWriter writer(taiwan);
        const QString file = panelFile(1, "2018_6_14_上午9時.txt");
        QByteArray expected;
        if (c.fileExists) {
            writer.write(tickAt({kDay, QTime(9, 0, 0)}));
            expected = kTxtHeader + line(MORNING " 09:00:00");
        } else {
            ASSERT_TRUE(QDir().mkpath(panelFolder(1)));
        }
        const QByteArray before = fileBytes(file);
        {
            FileSizeLimit full(before.size() + c.room);
            ASSERT_TRUE(full.active());
            writer.write(tickAt({kDay, QTime(9, 0, 1)}));
        }
        EXPECT_EQ(fileBytes(file), before);
        EXPECT_EQ(writer.heldLines(1), 1);

        writer.write(tickAt({kDay, QTime(9, 0, 2)}));
        if (!c.fileExists)
            expected = kTxtHeader;
        expected += line(MORNING " 09:00:01") + line(MORNING " 09:00:02");
        EXPECT_EQ(fileBytes(file), expected);
        EXPECT_EQ(writer.heldLines(1), 0);
    }
}

TEST_F(RecordFiles, HeldRecordsAreTriedOnceMoreWithoutANewOne)
{
    RecordWriter writer(taiwan);
    writer.write(tickAt({kDay, QTime(9, 0, 0)}));
    const QString busy = panelFile(1, "2018_6_14_上午9時.txt");
    {
        Holder holder(busy);
        writer.write(tickAt({kDay, QTime(9, 0, 1)}));
        writer.writeHeld(folder());
        EXPECT_EQ(writer.heldLines(1), 1);
    }
    writer.writeHeld(QString());
    EXPECT_EQ(writer.heldLines(1), 1) << "no folder to write into";
    writer.writeHeld(folder());
    EXPECT_EQ(fileBytes(busy), kTxtHeader + line(MORNING " 09:00:00") + line(MORNING " 09:00:01"));
    EXPECT_EQ(writer.heldLines(1), 0);
}

#endif

} // namespace
