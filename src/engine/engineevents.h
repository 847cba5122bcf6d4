#pragma once

// What the engine tells the outside world beyond the plant model. The poll cycle
// calls these on the engine thread; the controller hands them to the window thread
// through QueuedEngineEvents, and tests record them directly. Readings and tile lamps
// are not among them: they live in the plant model, read through its snapshots.

#include "alarmtypes.h"
#include "writescaling.h"

#include <QString>

// A write request the engine could not send, and why.
struct RejectedWrite {
    int panel = 0;
    int slot = 0;
    int code = 0;
    QString valueText;
    WriteRejection reason = WriteRejection::None;
};

class EngineEvents {
public:
    virtual ~EngineEvents() = default;
    // The scan lamp of (panel, slot) red and the other 29 white; (0, 0): all white.
    virtual void onScanLamp(int panel, int slot) = 0;
    virtual void onScanProgress(int panel, int position) = 0;
    virtual void onWriteRejected(const RejectedWrite &write) = 0;
    virtual void onAlarm(const AlarmAnnouncement &announcement) = 0;
};
