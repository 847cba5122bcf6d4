#pragma once

// The main window with all its windows, as the entry builds them, but with a store
// in memory, message boxes that are recorded instead of shown, and a link whose
// ports cannot be opened and are counted.

#include "alarmtables.h"
#include "applicationtitle.h"
#include "appwindows.h"
#include "databasealiases.h"
#include "clock.h"
#include "engineeventrouter.h"
#include "filedialogs.h"
#include "localeformats.h"
#include "memorysettingsstore.h"
#include "messageboxes.h"
#include "plantfeed.h"
#include "plantmodel.h"
#include "printdialogs.h"
#include "recordingboxes.h"
#include "serialport.h"
#include "tcommcontroller.h"
#include "tfmhome.h"
#include "trs485comm.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPrinter>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <functional>
#include <memory>

// File dialogs that answer from a script: each dialog takes the next answer (a path,
// or an empty text for "cancelled"); with none left it is cancelled. What each dialog
// was asked is kept.
class ScriptedFileDialogs : public FileDialogs {
public:
    struct Asked {
        bool save;
        FileDialogRequest request;
    };
    QString openFileName(QWidget *, const FileDialogRequest &request) override { return answer(false, request); }
    QString saveFileName(QWidget *, const FileDialogRequest &request) override { return answer(true, request); }
    QStringList answers;
    QList<Asked> asked;

private:
    QString answer(bool save, const FileDialogRequest &request)
    {
        asked.append({save, request});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// A clock the test sets; it starts at the real time.
class SettableClock : public Clock {
public:
    QDateTime now() const override { return at.isValid() ? at : QDateTime::currentDateTime(); }
    QDateTime at;
};

// A port that refuses to open: every transaction fails at once, and is counted.
class CountedMissingPort : public SerialPort {
public:
    explicit CountedMissingPort(std::shared_ptr<std::atomic<int>> opens) : opens_(std::move(opens)) {}
    bool open(const std::string &) override
    {
        ++*opens_;
        return false;
    }
    bool configure(const LineConfig &) override { return false; }
    int write(const std::uint8_t *, int, int) override { return 0; }
    int read(std::uint8_t *, int, int) override { return 0; }
    bool drain(int) override { return true; }
    void purge(bool, bool) override {}
    void close() override {}

private:
    std::shared_ptr<std::atomic<int>> opens_;
};

// A print dialog that answers at once: accepted unless the test says otherwise.
class ScriptedPrintDialogs : public PrintDialogs {
public:
    bool choosePrinter(QWidget *, QPrinter &) override
    {
        ++shown;
        return accept;
    }
    bool accept = true;
    int shown = 0;
};

// Runs the event loop until `condition` holds or the deadline passes.
inline bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents();
    }
    return true;
}

class HomeFixture {
public:
    // Without a link of its own the fixture's ports cannot be opened and are counted.
    // With a feed, the windows hand the outward views their readings and alarms.
    explicit HomeFixture(SettingsStore *store = nullptr, std::unique_ptr<TRs485Comm> link = nullptr,
                         PlantFeed *feed = nullptr)
        : store_(store ? store : &memory)
    {
        if (!link) {
            auto counter = opens;
            link = std::make_unique<TRs485Comm>(
                [counter] { return std::make_unique<CountedMissingPort>(counter); },
                [](int port) { return "/nonexistent/tempmon-port" + std::to_string(port); });
        }
        // The program's folder is one of the test's own, with the pictures the build
        // put beside the test program, so that nothing is left in the build tree.
        const QDir built(QCoreApplication::applicationDirPath());
        for (const QString &picture : built.entryList({QStringLiteral("button*.bmp")}, QDir::Files))
            QFile::copy(built.filePath(picture), QDir(programFolder.path()).filePath(picture));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(programFolder.path()).filePath(QStringLiteral("printed.pdf")));
        // The alarm databases: the store's DatabaseAliases as the program reads them,
        // else SQLite files in the program folder.
        alarmTables = AlarmTables::fromAliases(
            [this](const QString &alias) { return storedDatabaseAddress(*store_, alias); }, programFolder.path());
        const AppServices services{model, *store_, boxes, clock, locale, title, printer, printDialogs,
                                   programFolder.path(), *alarmTables, [this] { ++beeps; }, fileDialogs, feed};
        windows = std::make_unique<AppWindows>(
            services, std::make_unique<TCommController>(model, std::move(link), &clock));
        engineEvents = std::make_unique<EngineEventRouter>(*windows);
    }
    ~HomeFixture()
    {
        home().FormClose();
        engineEvents.reset();
        windows.reset();
    }

    TFmHome &home() { return windows->home(); }
    template <typename T = QWidget>
    T *control(const char *name) { return home().findChild<T *>(QLatin1String(name)); }
    template <typename T = QWidget>
    T *control(const QString &name) { return home().findChild<T *>(name); }
    QWidget *window(const char *objectName)
    {
        for (QWidget *w : windows->all())
            if (w->objectName() == QLatin1String(objectName))
                return w;
        return nullptr;
    }

    PlantModel model;
    RecordingBoxes boxes;
    SettableClock clock;
    PatternLocaleFormats locale = PatternLocaleFormats::taiwan();
    ApplicationTitle title{QStringLiteral(" 溫度監控系統 Ver9.22 ")};
    QTemporaryDir programFolder;
    // Prints into programFolder/printed.pdf.
    QPrinter printer{QPrinter::HighResolution};
    ScriptedPrintDialogs printDialogs;
    ScriptedFileDialogs fileDialogs;
    MemorySettingsStore memory;
    std::shared_ptr<std::atomic<int>> opens = std::make_shared<std::atomic<int>>(0);
    int beeps = 0; // the system sound, played once per announced alarm
    std::unique_ptr<AlarmTables> alarmTables;
    std::unique_ptr<AppWindows> windows;
    // The engine's events to the windows, as the program routes them.
    std::unique_ptr<EngineEventRouter> engineEvents;

private:
    SettingsStore *store_;
};
