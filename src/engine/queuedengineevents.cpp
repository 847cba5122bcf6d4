#include "queuedengineevents.h"

#include <QMetaObject>

void QueuedEngineEvents::deliverTo(EngineEvents *target, QObject *context)
{
    target_ = target;
    context_ = context;
}

template <typename Call>
void QueuedEngineEvents::post(Call call)
{
    if (!target_ || !context_)
        return;
    // Posted events of one receiver are delivered in the order they were posted.
    QMetaObject::invokeMethod(context_, [target = target_, call] { call(*target); }, Qt::QueuedConnection);
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
