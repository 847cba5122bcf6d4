#include "queuedengineevents.h"

#include <QMetaObject>

QueuedEngineEvents::QueuedEngineEvents() : queue_(std::make_shared<Queue>()) {}

void QueuedEngineEvents::deliverTo(EngineEvents *target, QObject *context)
{
    std::lock_guard<std::mutex> lock(queue_->mutex);
    queue_->calls.clear();
    queue_->target = context ? target : nullptr;
    queue_->context = target ? context : nullptr;
    queue_->deliveryUnderway = false;
    ++queue_->attachment;
}

void QueuedEngineEvents::post(Call call)
{
    std::lock_guard<std::mutex> lock(queue_->mutex);
    if (!queue_->target)
        return;
    queue_->calls.push_back(std::move(call));
    if (queue_->deliveryUnderway)
        return; // the delivery on its way takes this one too
    queue_->deliveryUnderway = true;
    postDelivery(queue_);
}

void QueuedEngineEvents::postDelivery(const std::shared_ptr<Queue> &queue)
{
    QMetaObject::invokeMethod(
        queue->context, [queue, attachment = queue->attachment] { deliver(queue, attachment); },
        Qt::QueuedConnection);
}

void QueuedEngineEvents::deliver(const std::shared_ptr<Queue> &queue, unsigned attachment)
{
    std::unique_lock<std::mutex> lock(queue->mutex);
    for (std::size_t due = queue->calls.size(); due > 0; --due) {
        if (queue->attachment != attachment || queue->calls.empty())
            return; // detached or attached anew while a handler ran
        const Call call = std::move(queue->calls.front());
        queue->calls.pop_front();
        EngineEvents &target = *queue->target;
        lock.unlock();
        call(target);
        lock.lock();
    }
    if (queue->attachment != attachment)
        return;
    if (queue->calls.empty())
        queue->deliveryUnderway = false;
    else
        postDelivery(queue);
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
