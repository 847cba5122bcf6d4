#pragma once

// Carries the engine's events over to the thread of a receiving object, in the order
// the engine issued them. Events issued before a receiver is attached are dropped.

#include "engineevents.h"

#include <QMetaType>
#include <QObject>

class QueuedEngineEvents : public EngineEvents {
public:
    // `target` is called on the thread of `context`. Attach before the engine thread
    // starts; both must outlive it (events still queued when `context` is destroyed
    // are discarded with it).
    void deliverTo(EngineEvents *target, QObject *context);

    void onTileLamps(int panel, int slot, TileLamps lamps) override;
    void onScanLamp(int panel, int slot) override;
    void onScanProgress(int panel, int position) override;
    void onWriteRejected(const RejectedWrite &write) override;
    void onAlarm(const AlarmAnnouncement &announcement) override;

private:
    template <typename Call>
    void post(Call call);

    EngineEvents *target_ = nullptr;
    QObject *context_ = nullptr;
};
