#pragma once

// Carries the engine's events over to the thread of a receiving object, in the order
// the engine issued them. Events issued before a receiver is attached are dropped.
//
// The events wait in a queue of our own under our own lock, and one delivery at a
// time is posted to the receiver's thread while that lock is held; so the hand-over
// of every event (and of the queued call Qt makes for the delivery) visibly goes
// through the lock, also for a race detector that cannot see inside Qt's own.

#include "engineevents.h"

#include <QObject>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QueuedEngineEvents : public EngineEvents {
public:
    QueuedEngineEvents();

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
    using Call = std::function<void(EngineEvents &)>;
    // Shared with the posted deliveries, which may run after this object is gone.
    struct Queue {
        std::mutex mutex;
        std::deque<Call> calls;
        bool deliveryPosted = false;
        EngineEvents *target = nullptr;
    };

    void post(Call call);
    static void deliver(const std::shared_ptr<Queue> &queue);

    std::shared_ptr<Queue> queue_;
    QObject *context_ = nullptr;
};
