#pragma once

// A slot's alarm point as the engine holds it, its deviation state, and what an
// evaluation asks to be announced.

#include <QDateTime>
#include <QString>
#include <QTime>

struct AlarmLimits {
    QString HAlarm; // empty: the slot has no alarm point
    QString LAlarm;
    bool FirstAlarm = false;
};

struct AlarmState {
    bool HighActive = false;
    bool LowActive = false;
    int EventCount = 0; // excursions since the last reset, both sides together
};

enum class AlarmSide { Low, High };

// An announcement that an evaluation found due, numbered as the count table gets it.
struct AlarmNotice {
    AlarmSide side;
    int number;
    bool operator==(const AlarmNotice &o) const { return side == o.side && number == o.number; }
};

// An announcement on its way from the engine to the windows.
struct AlarmAnnouncement {
    AlarmSide side = AlarmSide::Low;
    int panel = 0;
    int slot = 0;
    int number = 0;
    QTime time; // taken once per evaluation
};

// An alarm as announced: in the history, the alarm window and the outward views.
struct AnnouncedAlarm {
    QDateTime time; // local date and time of the announcement
    int panel = 0;
    int slot = 0;
    AlarmSide side = AlarmSide::Low;
    int number = 0;  // what the count table receives
    QString message; // "盤面:1,第3台-->偏差高警報!   時間:下午 02:05:07"
    QString line;    // the history line: the side's word, three blanks, the message
};
