#pragma once

// The main window with all its windows, as the entry builds them, but with a store
// in memory, message boxes that are recorded instead of shown, and a link whose
// ports cannot be opened and are counted.

#include "appwindows.h"
#include "memorysettingsstore.h"
#include "messageboxes.h"
#include "plantmodel.h"
#include "serialport.h"
#include "tcommcontroller.h"
#include "tfmhome.h"
#include "trs485comm.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

struct ShownBox {
    QString caption;
    QString text;
};

class RecordingBoxes : public MessageBoxes {
public:
    void show(QWidget *, const QString &caption, const QString &text, Icon) override
    {
        shown.append({caption, text});
    }
    bool ask(QWidget *, const QString &, const QString &) override { return true; }
    QList<ShownBox> shown;
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
    explicit HomeFixture(SettingsStore *store = nullptr, std::unique_ptr<TRs485Comm> link = nullptr)
        : store_(store ? store : &memory)
    {
        if (!link) {
            auto counter = opens;
            link = std::make_unique<TRs485Comm>(
                [counter] { return std::make_unique<CountedMissingPort>(counter); },
                [](int port) { return "/nonexistent/tempmon-port" + std::to_string(port); });
        }
        windows = std::make_unique<AppWindows>(
            model, std::make_unique<TCommController>(model, std::move(link)), *store_, boxes);
    }
    ~HomeFixture()
    {
        home().FormClose();
        windows.reset();
    }

    TFmHome &home() { return windows->home(); }
    template <typename T = QWidget>
    T *control(const char *name) { return home().findChild<T *>(QLatin1String(name)); }
    QWidget *window(const char *objectName)
    {
        for (QWidget *w : windows->all())
            if (w->objectName() == QLatin1String(objectName))
                return w;
        return nullptr;
    }

    PlantModel model;
    RecordingBoxes boxes;
    MemorySettingsStore memory;
    std::shared_ptr<std::atomic<int>> opens = std::make_shared<std::atomic<int>>(0);
    std::unique_ptr<AppWindows> windows;

private:
    SettingsStore *store_;
};
