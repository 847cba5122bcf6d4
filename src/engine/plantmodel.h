#pragma once

// The state both threads share: three panels of ten slots, the engine flags and the
// single pending write. One mutex guards all of it; every accessor copies whole
// values in or out, so no reference to shared state ever escapes the lock.

#include "alarmtypes.h"
#include "linehealthbook.h"
#include "linktypes.h"
#include "panels.h"
#include "readingssnapshot.h"
#include "tilelamps.h"

#include <QString>

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct LineSettings {
    int ComPort = 1;
    int BaudRate = 2400;
    TConverter Converter = TConverter::RS422_485;
    TPsl Psl = TPsl::rtu;
    // The device ComPort names, resolved through the port map on the window thread;
    // empty: the link names it itself.
    std::string Device;
};

struct SlotReading {
    QString PvText;
    QString SvText;
    QString OutText;
};

// The figures of a slot's texts, parsed as the engine stores the texts, so that
// every reader of a snapshot copies them instead of parsing again. Empty where a
// text is missing or no number.
struct SlotFigures {
    std::optional<double> pv;
    std::optional<double> sv;
    std::optional<double> out;
};

struct SlotRecord {
    int StationId = 0;
    SlotReading reading;
    SlotFigures figures; // always those of `reading`
    TileLamps lamps;
    int Dp = 0;
    bool Unlinked = false;
    int FailCount = 0;
    AlarmLimits limits;
    AlarmState alarm;
};

struct WriteRequest {
    int panel = 0;
    int slot = 0;
    std::uint8_t code = 0;
    QString valueText;
    unsigned serial = 0; // tells a request from a newer one with the same fields
};

struct PanelState {
    LineSettings line;
    std::array<SlotRecord, kSlotCount + 1> slotRecords; // index 0 unused; "slots" is a Qt keyword
};

class PlantModel {
public:
    PlantModel();

    static bool validPanel(int panel) { return panel >= 1 && panel <= kPanelCount; }
    static bool validSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

    LineSettings lineSettings(int panel) const;
    void setLineSettings(int panel, const LineSettings &settings);

    SlotRecord slot(int panel, int slot) const; // a consistent copy of the whole record
    SlotReading reading(int panel, int slot) const;
    // Every slot of a panel in one guarded copy, figures parsed.
    ReadingsSnapshot readingsSnapshot(int panel) const;
    int stationId(int panel, int slot) const;
    void setStationId(int panel, int slot, int id);
    int dp(int panel, int slot) const;
    bool unlinked(int panel, int slot) const;
    int failCount(int panel, int slot) const;

    // What the engine learns from one poll, each stored in one change so that no
    // reader sees half of an outcome (the slot unlinked with its old texts, say).
    void storePv(int panel, int slot, const QString &pvText);  // linked, count 0
    // Counts a failed PV read; at the fourth in a row the slot is marked unlinked with
    // empty texts and count 0. True when this call unlinked it.
    bool notePvFailure(int panel, int slot);
    void storeSv(int panel, int slot, const QString &svText);  // count 0
    void noteSvFailure(int panel, int slot);                   // count 1
    void storeOutput(int panel, int slot, const QString &outText);
    void storeLamps(int panel, int slot, TileLamps lamps);
    // The decimal-point scan's result for a slot that answered its model read: linked
    // or not, and the decimal places when the scan found them.
    void storeScanResult(int panel, int slot, bool unlinked, std::optional<int> dp);

    // For tests and tools that stage a slot.
    void setReading(int panel, int slot, const SlotReading &reading);
    void setDp(int panel, int slot, int dp);
    void setUnlinked(int panel, int slot, bool unlinked);

    // Alarm points, written by the alarm table handlers. Both restart the slot's
    // deviation state; clearing leaves the slot without an alarm point.
    AlarmLimits alarmLimits(int panel, int slot) const;
    AlarmState alarmState(int panel, int slot) const;
    void setAlarmPoint(int panel, int slot, const AlarmLimits &limits);
    void clearAlarmPoint(int panel, int slot);
    // Engine side, after a good SV read: the deviation check against the slot's alarm
    // point, state read and written in one change.
    std::vector<AlarmNotice> evaluateDeviation(int panel, int slot, const QString &pvText,
                                               const QString &svText);

    // Line health: each read's outcome against its slot, each panel's share of a poll
    // cycle, a copy of the whole book for the window, and the operator's zeroing.
    void noteReadOutcome(int panel, int slot, const ReadOutcome &outcome);
    void noteCycleTime(int panel, double ms);
    LineHealthBook lineHealth() const;
    void resetLineHealth();

    bool scanAll() const;
    void setScanAll(bool on);
    bool detailPolling() const;
    void setDetailPolling(bool on);
    bool rescanRequested() const;
    void setRescanRequested(bool on);

    // Window side: stores the request whole, then shows it as pending. A request
    // placed while another is pending replaces it.
    void RequestWrite(int panel, int slot, std::uint8_t code, const QString &valueText);
    bool writePending() const;
    // Engine side: a consistent copy of the pending request, if any. The request
    // stays pending until finishWrite().
    std::optional<WriteRequest> pendingWrite() const;
    // Lowers the pending flag unless a newer request arrived since `taken` was read.
    void finishWrite(const WriteRequest &taken);

    // Engine side, between cycles: returns after `timeout`, or at once when a write
    // or a rescan is waiting, ScanAll was switched on, or wakeEngine() was called.
    void waitForRequest(std::chrono::milliseconds timeout);
    void wakeEngine();

private:
    // The one place a slot record is reached: index check, then the lock for the
    // whole access. Out of range, readSlot answers a default value and changeSlot does
    // nothing.
    template <typename Get>
    auto readSlot(int panel, int slot, Get get) const;
    template <typename Change>
    void changeSlot(int panel, int slot, Change change);

    mutable std::mutex mutex_;
    std::array<PanelState, kPanelCount + 1> panels_; // index 0 unused
    bool scanAll_ = false;
    bool detailPolling_ = true;
    bool rescanRequested_ = false;
    WriteRequest writeRequest_;
    bool writePending_ = false;
    unsigned writeSerial_ = 0;
    LineHealthBook lineHealth_;
    std::condition_variable requestArrived_;
    bool wakeRequested_ = false;
};
