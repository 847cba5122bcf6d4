#pragma once

// The state both threads share: three panels of ten slots, the engine flags and the
// single pending write. One mutex guards all of it; every accessor copies whole
// values in or out, so no reference to shared state ever escapes the lock.

#include "linktypes.h"

#include <QString>

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

constexpr int kPanelCount = 3;
constexpr int kSlotCount = 10;

struct LineSettings {
    int ComPort = 1;
    int BaudRate = 2400;
    TConverter Converter = TConverter::RS422_485;
    TPsl Psl = TPsl::rtu;
};

struct SlotReading {
    QString PvText;
    QString SvText;
    QString OutText;
};

struct AlarmLimits {
    QString HAlarm;
    QString LAlarm;
    bool FirstAlarm = false;
};

struct AlarmState {
    bool HighActive = false;
    bool LowActive = false;
    int EventCount = 0;
};

struct SlotRecord {
    int StationId = 0;
    SlotReading reading;
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
    void setReading(int panel, int slot, const SlotReading &reading);
    void setPvText(int panel, int slot, const QString &text);
    void setSvText(int panel, int slot, const QString &text);
    void setOutText(int panel, int slot, const QString &text);

    int stationId(int panel, int slot) const;
    void setStationId(int panel, int slot, int id);
    int dp(int panel, int slot) const;
    void setDp(int panel, int slot, int dp);
    bool unlinked(int panel, int slot) const;
    void setUnlinked(int panel, int slot, bool unlinked);
    int failCount(int panel, int slot) const;
    void setFailCount(int panel, int slot, int count);

    AlarmLimits alarmLimits(int panel, int slot) const;
    void setAlarmLimits(int panel, int slot, const AlarmLimits &limits);
    AlarmState alarmState(int panel, int slot) const;
    void setAlarmState(int panel, int slot, const AlarmState &state);

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
    std::condition_variable requestArrived_;
    bool wakeRequested_ = false;
};
