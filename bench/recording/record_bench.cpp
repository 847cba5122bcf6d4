// Record tick figures. Run: build/bin/bench_recording
//   BM_RecordTick   one tick as the record timer runs it (readings copied from the plant
//                   model, a line per panel appended to its daily file and the file
//                   closed), with each file already holding a day of records at 1 s

#include "localeformats.h"
#include "plantmodel.h"
#include "recordformat.h"
#include "recordwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void fillModel(PlantModel &model)
{
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            model.setReading(panel, slot, {QStringLiteral("%1.%2").arg(200 + slot).arg(panel), QStringLiteral("250.0"),
                                           QStringLiteral("40")});
    model.setReading(2, 7, {});
}

// A day of records at one a second in each panel's daily file.
bool fillDay(const QString &folder, const LocaleFormats &locale, const QDateTime &day, const PlantModel &model)
{
    const auto readings = currentReadings(model);
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
        tick.readings = currentReadings(model);
        tick.heldLimit = recordsPerDay(1000);
        writer.write(tick);
        at = at.addMSecs(1);
    }
    if (writer.heldLines(1) != 0)
        state.SkipWithError("a record was not written");
}
BENCHMARK(BM_RecordTick)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
