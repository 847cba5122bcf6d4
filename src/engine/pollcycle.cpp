#include "pollcycle.h"

#include "dpscan.h"
#include "enginelog.h"
#include "valueformat.h"
#include "writescaling.h"

#include <chrono>

namespace {
constexpr int kRetriesLinked = 5;
constexpr int kRetriesUnlinked = 1;
constexpr int kRetriesScan = 3;
} // namespace

PollCycle::PollCycle(PlantModel &model, TRs485Comm &link, EngineEvents &events, const Clock &clock,
                     std::function<bool()> stopRequested)
    : model_(model), link_(link), events_(events), clock_(clock), stopRequested_(std::move(stopRequested))
{
}

int PollCycle::runCycle()
{
    const long before = transactions_;
    for (int p = 1; p <= kPanelCount; ++p) {
        const auto panelStart = std::chrono::steady_clock::now();
        for (int s = 1; s <= kSlotCount; ++s) {
            if (stopped())
                return static_cast<int>(transactions_ - before);
            // A write waits at most for the slot in progress, even before slots
            // that are skipped below.
            if (model_.writePending())
                ExecuteWrite();
            if (model_.rescanRequested())
                scanDecimalPoints();
            pollSlot(p, s);
        }
        model_.noteCycleTime(p, std::chrono::duration<double, std::milli>(
                                    std::chrono::steady_clock::now() - panelStart).count());
    }
    return static_cast<int>(transactions_ - before);
}

std::optional<int> PollCycle::read(int station, TAddress address)
{
    if (stopped())
        return std::nullopt;
    ++transactions_;
    const bool good = link_.Receive(station, address);
    if (stopped())
        return std::nullopt;
    model_.noteReadOutcome(readPanel_, readSlot_, link_.lastReadOutcome());
    if (!good)
        return std::nullopt;
    return link_.ReceivedNumber();
}

void PollCycle::pointLinkAt(const LineSettings &line)
{
    link_.ComPort = line.ComPort;
    link_.Device = line.Device;
    link_.BaudRate = static_cast<unsigned short>(line.BaudRate);
    link_.Converter = line.Converter;
    link_.Psl = line.Psl;
}

void PollCycle::pollSlot(int p, int s)
{
    pointLinkAt(model_.lineSettings(p));
    readPanel_ = p;
    readSlot_ = s;
    const SlotRecord record = model_.slot(p, s);
    link_.ReadRetry = record.Unlinked ? kRetriesUnlinked : kRetriesLinked;
    if (record.Unlinked && !model_.scanAll())
        return;

    const int station = record.StationId;
    const std::optional<int> pv = read(station, kRegPv);
    if (stopped())
        return;
    if (!pv) {
        if (model_.notePvFailure(p, s)) {
            // The model darkened the slot's tile lamps in the same change.
            events_.onScanLamp(0, 0);
            qCDebug(lcEngine) << "panel" << p << "slot" << s << "unlinked";
        }
        return;
    }

    const int dp = record.Dp;
    const QString pvText = formatReading(*pv, dp);
    model_.storePv(p, s, pvText);

    if (model_.detailPolling()) {
        events_.onScanLamp(p, s);
        const std::optional<int> status = read(station, kRegStatus);
        if (stopped())
            return;
        if (status)
            model_.storeLamps(p, s, TileLamps::fromStatus(*status));
    }

    const std::optional<int> sv = read(station, kRegSv);
    if (stopped())
        return;
    if (sv) {
        const QString svText = formatReading(*sv, dp);
        model_.storeSv(p, s, svText);
        EvaluateDeviation(p, s, pvText, svText);
    } else {
        model_.noteSvFailure(p, s);
    }

    const std::optional<int> out = read(station, kRegOutput);
    if (stopped())
        return;
    model_.storeOutput(p, s, out ? QString::number(*out) : QString());
}

void PollCycle::EvaluateDeviation(int p, int s, const QString &pvText, const QString &svText)
{
    const std::vector<AlarmNotice> due = model_.evaluateDeviation(p, s, pvText, svText);
    if (due.empty())
        return;
    const QTime time = clock_.now().time();
    for (const AlarmNotice &notice : due)
        events_.onAlarm(AlarmAnnouncement{notice.side, p, s, notice.number, time});
}

void PollCycle::scanSlot(int p, int s)
{
    readPanel_ = p;
    readSlot_ = s;
    const int station = model_.stationId(p, s);
    const std::optional<int> model = read(station, kRegModel);
    if (!model || stopped())
        return;
    const InputTable table = inputTableOf(*model);

    const std::optional<int> input = read(station, kRegInputType);
    if (stopped())
        return;
    const int inputType = input ? *input : fallbackInputType(table);

    std::optional<int> dp;
    const DpRule rule = dpRuleOf(table, inputType);
    if (rule == DpRule::FromRegister) {
        const std::optional<int> fromRegister = read(station, kRegDp);
        if (stopped())
            return;
        // A value the display cannot use is treated like a failed read.
        if (fromRegister && plausibleDp(*fromRegister))
            dp = fromRegister;
    } else {
        dp = dpFor(rule, model_.dp(p, s));
    }
    model_.storeScanResult(p, s, !input, dp);
}

// Neither the scan nor a write puts the link back where it was: every slot poll points
// it at its own panel's line before its first transaction.
void PollCycle::scanDecimalPoints()
{
    link_.ReadRetry = kRetriesScan;
    for (int p = 1; p <= kPanelCount; ++p) {
        pointLinkAt(model_.lineSettings(p));
        for (int s = 1; s <= kSlotCount; ++s) {
            if (stopped())
                return;
            scanSlot(p, s);
            if (stopped())
                return;
            events_.onScanProgress(p, s);
        }
    }
    model_.setRescanRequested(false);
}

void PollCycle::ExecuteWrite()
{
    const std::optional<WriteRequest> request = model_.pendingWrite();
    if (!request || stopped())
        return; // a request still pending at the end is not sent
    model_.setDetailPolling(false);

    const int p = request->panel;
    const int s = request->slot;
    ScaledValue scaled{WriteRejection::NoSuchSlot, 0};
    if (PlantModel::validPanel(p) && PlantModel::validSlot(s))
        scaled = scaleWriteValue(request->valueText, scaleClassOf(request->code),
                                 model_.dp(p, s));

    if (scaled.accepted()) {
        pointLinkAt(model_.lineSettings(p));
        ++transactions_;
        link_.Send(kWriteCommand, request->code, model_.stationId(p, s), scaled.wireValue());
    }
    model_.finishWrite(*request);
    model_.setDetailPolling(true);
    // Reported once the flag is down, so whoever hears of it sees the request gone.
    if (!scaled.accepted()) {
        qCDebug(lcEngine) << "write dropped:" << request->valueText << int(scaled.rejection);
        events_.onWriteRejected({p, s, request->code, request->valueText, scaled.rejection});
    }
}
