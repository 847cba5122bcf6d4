#include "pollcycle.h"

#include "dpscan.h"
#include "enginelog.h"
#include "valueformat.h"
#include "writescaling.h"

#include <string>

namespace {
constexpr int kFailuresBeforeUnlink = 3;
constexpr int kRetriesLinked = 5;
constexpr int kRetriesUnlinked = 1;
constexpr int kRetriesScan = 3;
} // namespace

PollCycle::PollCycle(PlantModel &model, TRs485Comm &link, EngineEvents &events,
                     std::function<bool()> stopRequested)
    : model_(model), link_(link), events_(events), stopRequested_(std::move(stopRequested))
{
}

int PollCycle::runCycle()
{
    const long before = transactions_;
    for (int p = 1; p <= kPanelCount; ++p) {
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
    }
    return static_cast<int>(transactions_ - before);
}

std::optional<int> PollCycle::read(int station, TAddress address)
{
    if (stopped())
        return std::nullopt;
    ++transactions_;
    const bool good = link_.Receive(station, address);
    if (!good || stopped())
        return std::nullopt;
    // The link's text is always a signed 16-bit decimal.
    return std::stoi(link_.ReceivedValue());
}

void PollCycle::pointLinkAt(const LineSettings &line)
{
    link_.ComPort = line.ComPort;
    link_.BaudRate = static_cast<unsigned short>(line.BaudRate);
    link_.Converter = line.Converter;
    link_.Psl = line.Psl;
}

void PollCycle::markUnlinked(int panel, int slot)
{
    model_.setFailCount(panel, slot, 0);
    model_.setUnlinked(panel, slot, true);
    model_.setReading(panel, slot, SlotReading{});
    events_.onTileLamps(panel, slot, TileLamps{});
    events_.onScanLamp(0, 0);
    qCDebug(lcEngine) << "panel" << panel << "slot" << slot << "unlinked";
}

void PollCycle::pollSlot(int p, int s)
{
    pointLinkAt(model_.lineSettings(p));
    const SlotRecord record = model_.slot(p, s);
    link_.ReadRetry = record.Unlinked ? kRetriesUnlinked : kRetriesLinked;
    if (record.Unlinked && !model_.scanAll())
        return;

    const int station = record.StationId;
    const std::optional<int> pv = read(station, kRegPv);
    if (stopped())
        return;
    if (!pv) {
        if (record.FailCount < kFailuresBeforeUnlink)
            model_.setFailCount(p, s, record.FailCount + 1);
        else
            markUnlinked(p, s);
        return;
    }

    const int dp = record.Dp;
    const QString pvText = formatReading(*pv, dp);
    model_.setUnlinked(p, s, false);
    model_.setPvText(p, s, pvText);
    model_.setFailCount(p, s, 0);

    if (model_.detailPolling()) {
        events_.onScanLamp(p, s);
        const std::optional<int> status = read(station, kRegStatus);
        if (stopped())
            return;
        if (status)
            events_.onTileLamps(p, s, TileLamps::fromStatus(*status));
    }

    const std::optional<int> sv = read(station, kRegSv);
    if (stopped())
        return;
    if (sv) {
        const QString svText = formatReading(*sv, dp);
        model_.setSvText(p, s, svText);
        events_.onDeviation(p, s, pvText, svText);
        model_.setFailCount(p, s, 0);
    } else {
        // The good PV read has just reset the count, so this makes it 1.
        model_.setFailCount(p, s, 1);
    }

    const std::optional<int> out = read(station, kRegOutput);
    if (stopped())
        return;
    model_.setOutText(p, s, out ? QString::number(*out) : QString());
}

void PollCycle::scanSlot(int p, int s)
{
    const int station = model_.stationId(p, s);
    const std::optional<int> model = read(station, kRegModel);
    if (!model || stopped())
        return;
    const InputTable table = inputTableOf(*model);

    const std::optional<int> input = read(station, kRegInputType);
    if (stopped())
        return;
    const int inputType = input ? *input : fallbackInputType(table);
    model_.setUnlinked(p, s, !input);

    const DpRule rule = dpRuleOf(table, inputType);
    if (rule == DpRule::FromRegister) {
        const std::optional<int> dp = read(station, kRegDp);
        if (stopped())
            return;
        // A value the display cannot use is treated like a failed read.
        if (dp && plausibleDp(*dp))
            model_.setDp(p, s, *dp);
    } else {
        model_.setDp(p, s, dpFor(rule, model_.dp(p, s)));
    }
}

void PollCycle::scanDecimalPoints()
{
    const int savedPort = link_.ComPort;
    const unsigned short savedBaud = link_.BaudRate;
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
    link_.ComPort = savedPort;
    link_.BaudRate = savedBaud;
    model_.setRescanRequested(false);
}

void PollCycle::ExecuteWrite()
{
    const std::optional<WriteRequest> request = model_.pendingWrite();
    if (!request || stopped())
        return; // a request still pending at the end is not sent
    model_.setDetailPolling(false);
    const int savedPort = link_.ComPort;
    const unsigned short savedBaud = link_.BaudRate;

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
        link_.ComPort = savedPort;
        link_.BaudRate = savedBaud;
    }
    model_.finishWrite(*request);
    model_.setDetailPolling(true);
    // Reported once the flag is down, so whoever hears of it sees the request gone.
    if (!scaled.accepted()) {
        qCDebug(lcEngine) << "write dropped:" << request->valueText
                          << rejectionText(scaled.rejection);
        events_.onWriteRejected(p, s, request->code, request->valueText,
                                rejectionText(scaled.rejection));
    }
}
