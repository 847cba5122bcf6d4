#pragma once

// The one place the outward views read the plant from. The window thread hands it a
// view per display tick and each announced alarm; the feed keeps the latest view and
// the alarm list's lines, readable from any thread, and signals what changed.

#include "plantview.h"

#include <QObject>
#include <QStringList>

#include <mutex>

class PlantFeed : public QObject {
    Q_OBJECT
public:
    explicit PlantFeed(QObject *parent = nullptr);

    // Window thread. Signals viewChanged only when a shown text, lamp, title or link
    // state differs from the last view.
    void setView(const PlantView &view);
    void raiseAlarm(const AnnouncedAlarm &alarm);
    // The main window's alarm list as it now stands (a line added, deleted, emptied).
    void setAlarmLines(const QStringList &lines);

    // Any thread.
    PlantView view() const;
    QStringList alarmLines() const; // oldest first, as the list holds them

signals:
    void viewChanged(const PlantView &view);
    void alarmRaised(const AnnouncedAlarm &alarm);
    void alarmLinesChanged(const QStringList &lines);

private:
    mutable std::mutex mutex_;
    PlantView view_;
    bool haveView_ = false;
    QStringList alarmLines_;
};

bool sameShown(const PlantView &a, const PlantView &b);
