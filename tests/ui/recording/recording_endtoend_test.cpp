// Recording on the simulated plant: the whole program polls three simulated lines and
// records every second; the files, read back with a Big5 decoder, hold what the
// controllers hold.

#include "simulatedplant.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Raw register values the test gives each held controller.
int pvRaw(int panel, int slot) { return 200 + panel * 10 + slot; }
int svRaw(int panel, int slot) { return 300 + panel * 10 + slot; }

QString scaled(int raw, int dp)
{
    return QString::number(raw / std::pow(10.0, dp), 'f', dp);
}

// Recording on every second into `folder`, one file per day.
void seedRecording(MemorySettingsStore &store, const QString &folder)
{
    store.setInteger("FmRecord", "ChkSave", 1);
    store.setInteger("FmRecord", "TxtSampleTime", 1);
    store.setInteger("FmRecord", "CboSampleUnit", 0);
    store.setInteger("FmRecord", "CboSaveUnit", 1);
    store.setInteger("FmRecord", "CboFileType", 0);
    store.setString("FmRecord", "TxtFilePath", folder);
}

QStringList decodedLines(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder big5("Big5");
    const QString text = big5(file.readAll());
    if (big5.hasError())
        return {QStringLiteral("<not Big5>")};
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

class RecordingEndToEnd : public SimulatedPlantTest {};

TEST_F(RecordingEndToEnd, EachPanelsFileHoldsTheSimulatedReadings)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("溫度資料"));
    startPlant(3, [&](MemorySettingsStore &seeded) { seedRecording(seeded, folder); });
    ASSERT_FALSE(HasFatalFailure());
    // Every controller holds still at known values; one has no link.
    for (int panel = 1; panel <= 3; ++panel) {
        for (int slot = 1; slot <= 10; ++slot) {
            const int station = simStation(panel, slot);
            ASSERT_TRUE(simOk(QStringLiteral("hold %1 %2 on").arg(panel).arg(station)));
            ASSERT_TRUE(simOk(QStringLiteral("pv %1 %2 %3").arg(panel).arg(station).arg(pvRaw(panel, slot))));
            ASSERT_TRUE(simOk(QStringLiteral("set %1 %2 0 %3").arg(panel).arg(station).arg(svRaw(panel, slot))));
        }
    }
    ASSERT_TRUE(simOk(QStringLiteral("fault 2 14 silent"))); // panel 2, slot 4
    HomeFixture &program = *f;
    ASSERT_FALSE(program.home().recorder().timer()->isActive());
    program.control<QAbstractButton>("BtnStart")->click();
    ASSERT_TRUE(program.home().recorder().timer()->isActive());
    ASSERT_EQ(program.home().recorder().timer()->interval(), 1000);

    // What every field of a panel's record must say once the plant has been read.
    const auto expectedRecord = [&](int panel) {
        QStringList fields;
        for (int slot = 1; slot <= 10; ++slot) {
            if (panel == 2 && slot == 4) {
                fields << QStringLiteral("無連接") << QStringLiteral("無連接");
                continue;
            }
            const int dp = program.model.dp(panel, slot);
            fields << scaled(pvRaw(panel, slot), dp) << scaled(svRaw(panel, slot), dp);
        }
        return fields.join(QLatin1Char('\t')) + QLatin1Char('\t');
    };
    const auto fileOf = [&](int panel) {
        const QDir panelDir(QDir(folder).filePath(QStringLiteral("盤面%1").arg(panel)));
        const QStringList files = panelDir.entryList(QDir::Files);
        return files.size() == 1 ? panelDir.filePath(files.first()) : QString();
    };
    // The last record of each panel shows the whole plant, and a few have been written.
    const auto settled = [&] {
        for (int panel = 1; panel <= 3; ++panel) {
            const QStringList lines = decodedLines(fileOf(panel));
            if (lines.size() < 4 || lines.last().section(QLatin1Char('\t'), 1) != expectedRecord(panel))
                return false;
        }
        return true;
    };
    const bool ok = waitUntil(settled, 40000);
    for (int panel = 1; panel <= 3; ++panel) {
        SCOPED_TRACE(panel);
        const QString path = fileOf(panel);
        ASSERT_FALSE(path.isEmpty()) << "one file per panel";
        // The day's file: the fixture's clock runs in real time, in the Taiwan locale.
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}_\\d{1,2}_\\d{1,2}\\.txt$"))
                        .match(QFileInfo(path).fileName())
                        .hasMatch())
            << path.toStdString();
        const QStringList lines = decodedLines(path);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines.first(), QStringLiteral("時間\t\tPV1\tSV1\tPV2\tSV2\tPV3\tSV3\tPV4\tSV4\tPV5\tSV5\tPV6\tSV6\t"
                                                "PV7\tSV7\tPV8\tSV8\tPV9\tSV9\tPV10\tSV10\t"));
        for (const QString &record : lines.mid(1)) {
            EXPECT_EQ(record.count(QLatin1Char('\t')), 21) << record.toStdString();
            EXPECT_TRUE(record.startsWith(QStringLiteral("上午 ")) || record.startsWith(QStringLiteral("下午 ")))
                << record.toStdString();
        }
        EXPECT_TRUE(ok) << "last record: " << lines.last().toStdString() << "\nexpected:    "
                        << expectedRecord(panel).toStdString();
    }
}

} // namespace
