#pragma once

// The program's windows on the simulated plant, wired to a plant feed as the entry
// wires them, for the web view's end-to-end test and benchmark. Everything else is
// the window tests' fixture: a store in memory, recorded message boxes, alarm tables
// in a folder of the test's.

#include "homefixture.h"
#include "plantfeed.h"
#include "simulatedplant.h"
#include "systemserialport.h"

class FeedHome {
public:
    explicit FeedHome(MemorySettingsStore &store) : store_(store)
    {
        alarmTables = AlarmTables::fromAliases([](const QString &) { return std::optional<QString>(); },
                                               folder.path());
        const QDir built(QCoreApplication::applicationDirPath());
        for (const QString &picture : built.entryList({QStringLiteral("button*.bmp")}, QDir::Files))
            QFile::copy(built.filePath(picture), QDir(folder.path()).filePath(picture));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(folder.path()).filePath(QStringLiteral("printed.pdf")));
        // Ports come from the store's port map, which names the simulator's lines.
        auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                                 [](int) { return std::string("/nonexistent"); });
        const AppServices services{model, store_, boxes, clock, locale, title, printer, printDialogs,
                                   folder.path(), *alarmTables, [] {}, fileDialogs, &feed};
        windows = std::make_unique<AppWindows>(services,
                                               std::make_unique<TCommController>(model, std::move(link), &clock));
    }
    ~FeedHome()
    {
        home().FormClose();
        windows.reset();
    }

    TFmHome &home() { return windows->home(); }
    template <typename T = QWidget>
    T *control(const QString &name) { return home().findChild<T *>(name); }

    PlantModel model;
    PlantFeed feed;
    RecordingBoxes boxes;
    SettableClock clock;
    PatternLocaleFormats locale = PatternLocaleFormats::taiwan();
    ApplicationTitle title{QStringLiteral(" 溫度監控系統 Ver9.22 ")};
    QTemporaryDir folder;
    QPrinter printer{QPrinter::HighResolution};
    ScriptedPrintDialogs printDialogs;
    ScriptedFileDialogs fileDialogs;
    std::unique_ptr<AlarmTables> alarmTables;
    std::unique_ptr<AppWindows> windows;

private:
    MemorySettingsStore &store_;
};

// The simulator with `lines` lines and a store that points the program at them.
inline std::unique_ptr<SimProcess> startSimulatedLines(MemorySettingsStore &store, int lines)
{
    QStringList arguments;
    for (int l = 1; l <= lines; ++l)
        arguments << QStringLiteral("--line") << QStringLiteral("psl=auto,echo=on,latency=1");
    auto sim = std::make_unique<SimProcess>(arguments);
    if (!sim->start())
        return nullptr;
    seedSimulatedLines(store, lines);
    for (int l = 1; l <= lines; ++l)
        store.setString("SerialPortMap", QStringLiteral("COM%1").arg(l), sim->device(l));
    return sim;
}
