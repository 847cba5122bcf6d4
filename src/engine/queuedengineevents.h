#pragma once

// Carries the engine's events over to the thread of a receiving object, one at a
// time, in the order the engine issued them. Events issued before a receiver is
// attached, or after it is detached, are dropped.
//
// At most one delivery is on its way at any moment, posted or running, and a running
// one hands the events over one by one. So a handler that opens a modal box (a
// nested event loop) finds no delivery to run inside it: the events behind it wait
// and follow it, in order, once it returns. A delivery takes only the events that
// were waiting when it began and posts the next one for the rest, so a busy engine
// never holds the receiving thread in one endless delivery.
//
// The events wait in a queue of our own under our own lock, and every delivery is
// posted while that lock is held; so the hand-over of every event (and of the queued
// call Qt makes for the delivery) visibly goes through the lock, also for a race
// detector that cannot see inside Qt's own.

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
    // starts. Detach (nullptrs) before either goes away, unless the engine has
    // stopped for good: events still queued are then dropped.
    void deliverTo(EngineEvents *target, QObject *context);

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
        EngineEvents *target = nullptr;
        QObject *context = nullptr;
        // A delivery is posted or running; it sees to every call queued.
        bool deliveryUnderway = false;
        // Counts attachments, so a delivery posted for an earlier receiver does nothing.
        unsigned attachment = 0;
    };

    void post(Call call);
    // Both with the queue's lock held.
    static void postDelivery(const std::shared_ptr<Queue> &queue);
    static void deliver(const std::shared_ptr<Queue> &queue, unsigned attachment);

    std::shared_ptr<Queue> queue_;
};
