#pragma once

// The alarm page of the main window (Panel3): the alarm points and the record of
// announced alarms with their counts.

#include "alarmtypes.h"

#include <QWidget>

#include <memory>

namespace Ui {
class AlarmPage;
}

class AlarmPage : public QWidget {
    Q_OBJECT
public:
    explicit AlarmPage(QWidget *parent = nullptr);
    ~AlarmPage() override;

    // An alarm the engine found, on the window thread in the engine's order.
    void AnnounceAlarm(const AlarmAnnouncement &announcement);
    // The display tick's part: the automatic print of the alarm list when it is due.
    void checkAutoPrint();

private:
    std::unique_ptr<Ui::AlarmPage> ui;
};
