#pragma once

// Where the engine's events go: each to the service or window that shows it, on the
// window thread, one at a time and in the order the engine issued them. The engine
// knows only this router; the windows know nothing of the engine's events.

#include "engineevents.h"

#include <QObject>

class AlarmLog;
class AppWindows;
class TCommController;
class TFmHome;

class EngineEventRouter : public QObject, private EngineEvents {
    Q_OBJECT
public:
    // Attaches to the windows' engine at once; create it before the engine starts.
    explicit EngineEventRouter(AppWindows &windows, QObject *parent = nullptr);
    // Detaches first: what the engine still issues is dropped, not delivered to a
    // window that may already be gone.
    ~EngineEventRouter() override;

private:
    void onScanLamp(int panel, int slot) override;
    void onScanProgress(int panel, int position) override;
    void onWriteRejected(const RejectedWrite &write) override;
    void onAlarm(const AlarmAnnouncement &announcement) override;

    TCommController &engine_;
    TFmHome &home_;
    AlarmLog &alarmLog_;
};
