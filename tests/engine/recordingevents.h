#pragma once

// Records what the poll cycle reports, in order, for tests that run it directly.

#include "engineevents.h"

#include <QDateTime>

#include <vector>

struct RecordingEvents : EngineEvents {
    struct Pair {
        int panel, slot;
        bool operator==(const Pair &o) const { return panel == o.panel && slot == o.slot; }
    };

    std::vector<Pair> scanLamps;
    std::vector<Pair> progress; // (panel, position)
    std::vector<RejectedWrite> rejections;
    std::vector<AlarmAnnouncement> alarms;

    void onScanLamp(int panel, int slot) override { scanLamps.push_back({panel, slot}); }
    void onScanProgress(int panel, int position) override { progress.push_back({panel, position}); }
    void onWriteRejected(const RejectedWrite &write) override { rejections.push_back(write); }
    void onAlarm(const AlarmAnnouncement &a) override { alarms.push_back(a); }
    void clear() { *this = RecordingEvents(); }
};

// A clock that stands still where the test puts it.
struct FixedClock : Clock {
    QDateTime at{QDate(2026, 12, 10), QTime(9, 0, 4)};
    QDateTime now() const override { return at; }
};
