// Record tick figures. Run: build/bin/bench_recording
//   BM_RecordTick   one tick as the record timer runs it (readings snapshots taken from the
//                   plant model, a line per panel appended to its daily file and the file
//                   closed), with each file already holding a day of records at 1 s
//   BM_RecordTickBusy/N  one tick while another program holds panel 1's file and N
//                   lines wait for it: the tick should cost the same for any N

#include "localeformats.h"
#include "plantmodel.h"
#include "recordformat.h"
#include "recordwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

void fillModel(PlantModel &model)
{
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            model.setReading(panel, slot, {QStringLiteral("%1.%2").arg(200 + slot).arg(panel), QStringLiteral("250.0"),
                                           QStringLiteral("40")});
    model.setReading(2, 7, {});
}

// What a record tick reads: every panel's readings snapshot.
std::array<ReadingsSnapshot, kPanelCount + 1> snapshots(const PlantModel &model)
{
    std::array<ReadingsSnapshot, kPanelCount + 1> readings{};
    for (int panel = 1; panel <= kPanelCount; ++panel)
        readings[panel] = model.readingsSnapshot(panel);
    return readings;
}

// A day of records at one a second in each panel's daily file.
bool fillDay(const QString &folder, const LocaleFormats &locale, const QDateTime &day, const PlantModel &model)
{
    const auto readings = snapshots(model);
    const QString name = recordFileName(locale, day, 1, 0);
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        const QString panelFolder = QDir(folder).filePath(panelFolderName(panel));
        if (!QDir().mkpath(panelFolder))
            return false;
        QByteArray bytes = recordHeader(0);
        QTime t(0, 0, 0);
        for (int second = 0; second < 24 * 60 * 60; ++second)
            bytes += recordLine(locale.longTime(t.addSecs(second)), readings[panel]);
        QFile file(QDir(panelFolder).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

void BM_RecordTick(benchmark::State &state)
{
    QTemporaryDir dir;
    const PatternLocaleFormats locale = PatternLocaleFormats::taiwan();
    PlantModel model;
    fillModel(model);
    const QString folder = dir.filePath(QStringLiteral("Temperature Data"));
    QDateTime at(QDate(2018, 6, 14), QTime(23, 59, 0));
    if (!QDir().mkdir(folder) || !fillDay(folder, locale, at, model)) {
        state.SkipWithError("could not lay out a day of records");
        return;
    }
    RecordWriter writer(locale);
    for (auto _ : state) {
        RecordTick tick;
        tick.at = at;
        tick.folderText = folder;
        tick.saveUnit = 1;
        tick.fileType = 0;
        tick.readings = snapshots(model);
        tick.heldLimit = recordsPerDay(1000);
        writer.write(tick);
        at = at.addMSecs(1);
    }
    if (writer.heldLines(1) != 0)
        state.SkipWithError("a record was not written");
}
BENCHMARK(BM_RecordTick)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

#ifndef _WIN32
void BM_RecordTickBusy(benchmark::State &state)
{
    QTemporaryDir dir;
    const PatternLocaleFormats locale = PatternLocaleFormats::taiwan();
    PlantModel model;
    fillModel(model);
    const QString folder = dir.filePath(QStringLiteral("Temperature Data"));
    QDateTime at(QDate(2018, 6, 14), QTime(0, 0, 0));
    RecordWriter writer(locale);
    const auto tickAt = [&](const QDateTime &when) {
        RecordTick tick;
        tick.at = when;
        tick.folderText = folder;
        tick.saveUnit = 1;
        tick.fileType = 0;
        tick.readings = snapshots(model);
        tick.heldLimit = recordsPerDay(1000);
        return tick;
    };
    writer.write(tickAt(at));
    const QString busy = QDir(folder).filePath(panelFolderName(1) + QLatin1Char('/') + recordFileName(locale, at, 1, 0));
    const int fd = ::open(QFile::encodeName(busy).constData(), O_RDWR);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        state.SkipWithError("could not hold panel 1's file");
        return;
    }
    const int backlog = static_cast<int>(state.range(0));
    for (int i = 0; i < backlog; ++i)
        writer.write(tickAt(at = at.addMSecs(1)));
    for (auto _ : state)
        writer.write(tickAt(at = at.addMSecs(1)));
    ::close(fd);
    if (writer.heldLines(1) == 0)
        state.SkipWithError("panel 1's lines were not held");
}
BENCHMARK(BM_RecordTickBusy)->Arg(100)->Arg(20000)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
#endif

} // namespace

BENCHMARK_MAIN();
