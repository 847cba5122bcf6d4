#include "plantfeed.h"

PlantFeed::PlantFeed(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<PlantView>("PlantView");
    qRegisterMetaType<AnnouncedAlarm>("AnnouncedAlarm");
}

bool sameShown(const PlantView &a, const PlantView &b)
{
    if (a.windowTitle != b.windowTitle || a.monitoring != b.monitoring || a.tileTitles != b.tileTitles)
        return false;
    for (int p = 1; p <= kPanelCount; ++p)
        for (int s = 1; s <= kSlotCount; ++s)
            if (!a.panels[p].slotSnapshots[s].sameShown(b.panels[p].slotSnapshots[s]))
                return false;
    return true;
}

void PlantFeed::setView(const PlantView &view)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (haveView_ && sameShown(view_, view))
            return;
        view_ = view;
        haveView_ = true;
    }
    emit viewChanged(view);
}

void PlantFeed::raiseAlarm(const AnnouncedAlarm &alarm)
{
    emit alarmRaised(alarm);
}

void PlantFeed::setAlarmLines(const QStringList &lines)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (alarmLines_ == lines)
            return;
        alarmLines_ = lines;
    }
    emit alarmLinesChanged(lines);
}

PlantView PlantFeed::view() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return view_;
}

QStringList PlantFeed::alarmLines() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return alarmLines_;
}
