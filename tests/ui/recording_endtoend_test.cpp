// Recording on the simulated plant: the whole program polls three simulated lines and
// records every second; the files, read back with a Big5 decoder, hold what the
// controllers hold.

#include "homefixture.h"
#include "simprocess.h"
#include "systemserialport.h"

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

// Ports 1..3 at 38400 baud, the simulator's stations (1-10, 11-20, 21-30), recording
// on every second into `folder`, one file per day.
void seed(MemorySettingsStore &store, const QString &folder)
{
    for (int slot = 1; slot <= 10; ++slot)
        for (int panel = 1; panel <= 3; ++panel)
            store.setString("FmHome", QStringLiteral("ID%1_%2").arg(QLatin1Char(" ABC"[panel])).arg(slot),
                            QString::number((panel - 1) * 10 + slot));
    const char *ports[] = {"COMA", "COMB", "COMC"};
    const char *speeds[] = {"BPSA", "BPSB", "BPSC"};
    for (int i = 0; i < 3; ++i) {
        store.setInteger("FmCommSetting", QLatin1String(ports[i]), i);
        store.setString("FmCommSetting", QLatin1String(speeds[i]), QStringLiteral("0"));
    }
    store.setInteger("FmCommSetting", "Converter", 0);
    store.setInteger("FmCommSetting", "Psl", 0);
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

TEST(RecordingEndToEnd, EachPanelsFileHoldsTheSimulatedReadings)
{
    const QString line = QStringLiteral("psl=auto,echo=on,latency=1");
    SimProcess sim({"--line", line, "--line", line, "--line", line});
    ASSERT_TRUE(sim.start());
    // Every controller holds still at known values; one has no link.
    for (int panel = 1; panel <= 3; ++panel) {
        for (int slot = 1; slot <= 10; ++slot) {
            const int station = (panel - 1) * 10 + slot;
            ASSERT_EQ(sim.command(QStringLiteral("hold %1 %2 on").arg(panel).arg(station)).left(2), "ok");
            ASSERT_EQ(sim.command(QStringLiteral("pv %1 %2 %3").arg(panel).arg(station).arg(pvRaw(panel, slot))).left(2), "ok");
            ASSERT_EQ(sim.command(QStringLiteral("set %1 %2 0 %3").arg(panel).arg(station).arg(svRaw(panel, slot))).left(2), "ok");
        }
    }
    ASSERT_EQ(sim.command(QStringLiteral("fault 2 14 silent")).left(2), "ok"); // panel 2, slot 4

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("溫度資料"));
    MemorySettingsStore store;
    seed(store, folder);
    // COM1..COM3 are the simulator's lines, through the port map.
    for (int l = 1; l <= 3; ++l)
        store.setString("SerialPortMap", QStringLiteral("COM%1").arg(l), sim.device(l));
    auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(), [](int) { return std::string("/nonexistent"); });
    HomeFixture f(&store, std::move(link));
    f.home().show();
    ASSERT_TRUE(f.boxes.shown.isEmpty()) << f.boxes.shown.value(0).text.toStdString();
    ASSERT_FALSE(f.home().TmrRecord()->isActive());
    f.control<QAbstractButton>("BtnStart")->click();
    ASSERT_TRUE(f.home().TmrRecord()->isActive());
    ASSERT_EQ(f.home().TmrRecord()->interval(), 1000);

    // What every field of a panel's record must say once the plant has been read.
    const auto expectedRecord = [&](int panel) {
        QStringList fields;
        for (int slot = 1; slot <= 10; ++slot) {
            if (panel == 2 && slot == 4) {
                fields << QStringLiteral("無連接") << QStringLiteral("無連接");
                continue;
            }
            const int dp = f.model.dp(panel, slot);
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
