#include "engineeventrouter.h"

#include "alarmlog.h"
#include "appwindows.h"
#include "tcommcontroller.h"
#include "tfmhome.h"

EngineEventRouter::EngineEventRouter(AppWindows &windows, QObject *parent)
    : QObject(parent), engine_(windows.home().engine()), home_(windows.home()), alarmLog_(windows.alarmLog())
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
    alarmLog_.announce(announcement);
}
