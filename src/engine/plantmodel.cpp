#include "plantmodel.h"

#include "deviation.h"

#include <utility>

// Every accessor takes the one lock for the whole copy. Out-of-range panel or slot
// numbers are ignored by setters and answered with a default value by getters, so
// a window holding a stale index can never touch memory outside the tables.

PlantModel::PlantModel()
{
    for (int p = 1; p <= kPanelCount; ++p)
        for (int s = 1; s <= kSlotCount; ++s)
            panels_[p].slotRecords[s].StationId = (p - 1) * kSlotCount + s;
}

namespace {
// A linked controller is marked unlinked at its fourth failed PV read in a row.
constexpr int kFailuresBeforeUnlink = 3;

// Parsed by the caller before the lock is taken: no reader waits for the arithmetic.
std::optional<double> figure(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

bool validIndex(int panel, int slot)
{
    return PlantModel::validPanel(panel) && PlantModel::validSlot(slot);
}
} // namespace

LineSettings PlantModel::lineSettings(int panel) const
{
    if (!validPanel(panel))
        return {};
    std::lock_guard<std::mutex> lock(mutex_);
    return panels_[panel].line;
}

void PlantModel::setLineSettings(int panel, const LineSettings &settings)
{
    if (!validPanel(panel))
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    panels_[panel].line = settings;
}

template <typename Get>
auto PlantModel::readSlot(int panel, int slot, Get get) const
{
    using Value = decltype(get(std::declval<const SlotRecord &>()));
    if (!validIndex(panel, slot))
        return Value{};
    std::lock_guard<std::mutex> lock(mutex_);
    return Value(get(panels_[panel].slotRecords[slot]));
}

template <typename Change>
void PlantModel::changeSlot(int panel, int slot, Change change)
{
    if (!validIndex(panel, slot))
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    change(panels_[panel].slotRecords[slot]);
}

SlotRecord PlantModel::slot(int panel, int slot) const
{
    return readSlot(panel, slot, [](const SlotRecord &r) { return r; });
}

SlotReading PlantModel::reading(int panel, int slot) const
{
    return readSlot(panel, slot, [](const SlotRecord &r) { return r.reading; });
}

ReadingsSnapshot PlantModel::readingsSnapshot(int panel) const
{
    ReadingsSnapshot readings;
    if (!validPanel(panel))
        return readings;
    std::lock_guard<std::mutex> lock(mutex_);
    for (int s = 1; s <= kSlotCount; ++s) {
        const SlotRecord &r = panels_[panel].slotRecords[s];
        SlotSnapshot &out = readings.slotSnapshots[s];
        out.pvText = r.reading.PvText;
        out.svText = r.reading.SvText;
        out.outText = r.reading.OutText;
        out.lamps = r.lamps;
        out.linked = !r.Unlinked;
        out.pv = r.figures.pv;
        out.sv = r.figures.sv;
        out.out = r.figures.out;
    }
    return readings;
}

int PlantModel::stationId(int panel, int slot) const
{
    return readSlot(panel, slot, [](const SlotRecord &r) { return r.StationId; });
}

void PlantModel::setStationId(int panel, int slot, int id)
{
    changeSlot(panel, slot, [id](SlotRecord &r) { r.StationId = id; });
}

int PlantModel::dp(int panel, int slot) const
{
    return readSlot(panel, slot, [](const SlotRecord &r) { return r.Dp; });
}

bool PlantModel::unlinked(int panel, int slot) const
{
    return readSlot(panel, slot, [](const SlotRecord &r) { return r.Unlinked; });
}

int PlantModel::failCount(int panel, int slot) const
{
    return readSlot(panel, slot, [](const SlotRecord &r) { return r.FailCount; });
}

void PlantModel::storePv(int panel, int slot, const QString &pvText)
{
    const std::optional<double> pv = figure(pvText);
    changeSlot(panel, slot, [&](SlotRecord &r) {
        r.Unlinked = false;
        r.reading.PvText = pvText;
        r.figures.pv = pv;
        r.FailCount = 0;
    });
}

bool PlantModel::notePvFailure(int panel, int slot)
{
    bool unlinkedNow = false;
    changeSlot(panel, slot, [&](SlotRecord &r) {
        if (r.FailCount < kFailuresBeforeUnlink) {
            ++r.FailCount;
            return;
        }
        r.FailCount = 0;
        r.Unlinked = true;
        r.reading = SlotReading{};
        r.figures = SlotFigures{};
        r.lamps = TileLamps{};
        unlinkedNow = true;
    });
    return unlinkedNow;
}

void PlantModel::storeSv(int panel, int slot, const QString &svText)
{
    const std::optional<double> sv = figure(svText);
    changeSlot(panel, slot, [&](SlotRecord &r) {
        r.reading.SvText = svText;
        r.figures.sv = sv;
        r.FailCount = 0;
    });
}

void PlantModel::noteSvFailure(int panel, int slot)
{
    // The good PV read just before has reset the count, so this makes it 1.
    changeSlot(panel, slot, [](SlotRecord &r) { r.FailCount = 1; });
}

void PlantModel::storeOutput(int panel, int slot, const QString &outText)
{
    const std::optional<double> out = figure(outText);
    changeSlot(panel, slot, [&](SlotRecord &r) {
        r.reading.OutText = outText;
        r.figures.out = out;
    });
}

void PlantModel::storeLamps(int panel, int slot, TileLamps lamps)
{
    changeSlot(panel, slot, [&](SlotRecord &r) { r.lamps = lamps; });
}

void PlantModel::storeScanResult(int panel, int slot, bool unlinked, std::optional<int> dp)
{
    changeSlot(panel, slot, [&](SlotRecord &r) {
        r.Unlinked = unlinked;
        if (dp)
            r.Dp = *dp;
    });
}

void PlantModel::setReading(int panel, int slot, const SlotReading &reading)
{
    const SlotFigures figures{figure(reading.PvText), figure(reading.SvText), figure(reading.OutText)};
    changeSlot(panel, slot, [&](SlotRecord &r) {
        r.reading = reading;
        r.figures = figures;
    });
}

void PlantModel::setDp(int panel, int slot, int dp)
{
    changeSlot(panel, slot, [dp](SlotRecord &r) { r.Dp = dp; });
}

void PlantModel::setUnlinked(int panel, int slot, bool unlinked)
{
    changeSlot(panel, slot, [unlinked](SlotRecord &r) { r.Unlinked = unlinked; });
}

AlarmLimits PlantModel::alarmLimits(int panel, int slot) const
{
    return readSlot(panel, slot, [](const SlotRecord &r) { return r.limits; });
}

AlarmState PlantModel::alarmState(int panel, int slot) const
{
    return readSlot(panel, slot, [](const SlotRecord &r) { return r.alarm; });
}

void PlantModel::setAlarmPoint(int panel, int slot, const AlarmLimits &limits)
{
    changeSlot(panel, slot, [&](SlotRecord &r) {
        r.limits = limits;
        r.alarm = AlarmState{};
    });
}

void PlantModel::clearAlarmPoint(int panel, int slot)
{
    changeSlot(panel, slot, [](SlotRecord &r) {
        r.limits = AlarmLimits{};
        r.alarm = AlarmState{};
    });
}

std::vector<AlarmNotice> PlantModel::evaluateDeviation(int panel, int slot, const QString &pvText,
                                                       const QString &svText)
{
    std::vector<AlarmNotice> due;
    changeSlot(panel, slot,
               [&](SlotRecord &r) { due = ::evaluateDeviation(r.limits, r.alarm, pvText, svText); });
    return due;
}

void PlantModel::noteReadOutcome(int panel, int slot, const ReadOutcome &outcome)
{
    const auto now = std::chrono::steady_clock::now(); // outside the lock
    std::lock_guard<std::mutex> lock(mutex_);
    lineHealth_.noteRead(panel, slot, outcome, now);
}

void PlantModel::noteCycleTime(int panel, double ms)
{
    std::lock_guard<std::mutex> lock(mutex_);
    lineHealth_.noteCycle(panel, ms);
}

LineHealthBook PlantModel::lineHealth() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return lineHealth_;
}

void PlantModel::resetLineHealth()
{
    std::lock_guard<std::mutex> lock(mutex_);
    lineHealth_ = LineHealthBook{};
}

bool PlantModel::scanAll() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return scanAll_;
}

void PlantModel::setScanAll(bool on)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        scanAll_ = on;
        wakeRequested_ = wakeRequested_ || on;
    }
    requestArrived_.notify_all();
}

bool PlantModel::detailPolling() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return detailPolling_;
}

void PlantModel::setDetailPolling(bool on)
{
    std::lock_guard<std::mutex> lock(mutex_);
    detailPolling_ = on;
}

bool PlantModel::rescanRequested() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return rescanRequested_;
}

void PlantModel::setRescanRequested(bool on)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rescanRequested_ = on;
    }
    requestArrived_.notify_all();
}

void PlantModel::RequestWrite(int panel, int slot, std::uint8_t code, const QString &valueText)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        writeRequest_ = WriteRequest{panel, slot, code, valueText, ++writeSerial_};
        writePending_ = true;
    }
    requestArrived_.notify_all();
}

bool PlantModel::writePending() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return writePending_;
}

std::optional<WriteRequest> PlantModel::pendingWrite() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!writePending_)
        return std::nullopt;
    return writeRequest_;
}

void PlantModel::finishWrite(const WriteRequest &taken)
{
    std::lock_guard<std::mutex> lock(mutex_);
    // A request placed while `taken` was being sent replaces the slot; it must stay
    // pending so the engine sends it before its next slot.
    if (writeRequest_.serial == taken.serial)
        writePending_ = false;
}

void PlantModel::waitForRequest(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(mutex_);
    requestArrived_.wait_for(lock, timeout, [this] {
        return writePending_ || rescanRequested_ || wakeRequested_;
    });
    wakeRequested_ = false;
}

void PlantModel::wakeEngine()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wakeRequested_ = true;
    }
    requestArrived_.notify_all();
}
