#pragma once

// Starts tempmon-sim for a test, reads the device paths it prints and talks to it
// over its stdin protocol. Everything waits on the process with deadlines; the
// destructor asks the simulator to quit and kills it by PID if it does not.

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class SimProcess {
public:
    explicit SimProcess(QStringList args = {});
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Launches the simulator and waits for its "ready" line.
    bool start(int timeoutMs = 10000);
    // 1-based; the path printed at start, or after "line L up".
    QString device(int line) const;
    // Sends one command line and returns the simulator's answer line
    // ("ok ..." or "error ..."), or an empty text on timeout.
    QString command(const QString &line, int timeoutMs = 5000);
    void stop();

    // What the simulator printed on stdout before "ready" (or before failing).
    QStringList startupOutput() const { return startup_; }
    qint64 pid() const;
    // Waits for the simulator to end by itself (after a signal, say); false on timeout.
    bool waitForExit(int timeoutMs, int *exitCode = nullptr);

    static QString simulatorPath();

private:
    bool readLine(QString &line, int timeoutMs);

    QStringList args_;
    std::unique_ptr<QProcess> process_;
    QMap<int, QString> devices_;
    QStringList startup_;
};
