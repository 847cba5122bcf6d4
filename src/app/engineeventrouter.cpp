#include "engineeventrouter.h"

#include "tcommcontroller.h"
#include "tfmhome.h"

EngineEventRouter::EngineEventRouter(TCommController &engine, TFmHome &home, QObject *parent)
    : QObject(parent), engine_(engine), home_(home)
{
    engine_.deliverEventsTo(this, this);
}

EngineEventRouter::~EngineEventRouter()
{
    engine_.deliverEventsTo(nullptr, nullptr);
}

void EngineEventRouter::onScanLamp(int panel, int slot)
{
    home_.onScanLamp(panel, slot);
}

void EngineEventRouter::onScanProgress(int panel, int position)
{
    home_.onScanProgress(panel, position);
}

void EngineEventRouter::onWriteRejected(const RejectedWrite &write)
{
    home_.onWriteRejected(write);
}

void EngineEventRouter::onAlarm(const AlarmAnnouncement &announcement)
{
    home_.onAlarm(announcement);
}
