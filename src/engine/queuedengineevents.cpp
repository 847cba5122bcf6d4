#include "queuedengineevents.h"

#include <QMetaObject>

QueuedEngineEvents::QueuedEngineEvents() : queue_(std::make_shared<Queue>()) {}

void QueuedEngineEvents::deliverTo(EngineEvents *target, QObject *context)
{
    std::lock_guard<std::mutex> lock(queue_->mutex);
    queue_->target = target;
    context_ = context;
}

void QueuedEngineEvents::post(Call call)
{
    std::lock_guard<std::mutex> lock(queue_->mutex);
    if (!queue_->target || !context_)
        return;
    queue_->calls.push_back(std::move(call));
    if (queue_->deliveryPosted)
        return; // the delivery already on its way takes this one too
    queue_->deliveryPosted = true;
    QMetaObject::invokeMethod(context_, [queue = queue_] { deliver(queue); }, Qt::QueuedConnection);
}

void QueuedEngineEvents::deliver(const std::shared_ptr<Queue> &queue)
{
    std::deque<Call> calls;
    EngineEvents *target = nullptr;
    {
        std::lock_guard<std::mutex> lock(queue->mutex);
        calls.swap(queue->calls);
        queue->deliveryPosted = false;
        target = queue->target;
    }
    for (const Call &call : calls)
        call(*target);
}

void QueuedEngineEvents::onTileLamps(int panel, int slot, TileLamps lamps)
{
    post([=](EngineEvents &t) { t.onTileLamps(panel, slot, lamps); });
}

void QueuedEngineEvents::onScanLamp(int panel, int slot)
{
    post([=](EngineEvents &t) { t.onScanLamp(panel, slot); });
}

void QueuedEngineEvents::onScanProgress(int panel, int position)
{
    post([=](EngineEvents &t) { t.onScanProgress(panel, position); });
}

void QueuedEngineEvents::onWriteRejected(const RejectedWrite &write)
{
    post([=](EngineEvents &t) { t.onWriteRejected(write); });
}

void QueuedEngineEvents::onAlarm(const AlarmAnnouncement &announcement)
{
    post([=](EngineEvents &t) { t.onAlarm(announcement); });
}
