#pragma once

// The engine thread's work, without the thread: the poll cycle over every slot of
// the three panels, the decimal-point scan and the execution of a pending write.
// TCommController drives it; tests call it directly and get a deterministic run.

#include "clock.h"
#include "engineevents.h"
#include "plantmodel.h"
#include "trs485comm.h"

#include <functional>
#include <optional>

class PollCycle {
public:
    // Register addresses the engine reads.
    static constexpr TAddress kRegPv = 0x8A;
    static constexpr TAddress kRegStatus = 0x88;
    static constexpr TAddress kRegSv = 0x00;
    static constexpr TAddress kRegOutput = 0x87;
    static constexpr TAddress kRegModel = 0x86;
    static constexpr TAddress kRegInputType = 0x48;
    static constexpr TAddress kRegDp = 0x4B;
    static constexpr TCommand kWriteCommand = 'W';

    // `stopRequested` is asked before every transaction; once it says yes nothing
    // more is sent and the result of the transaction in flight is discarded.
    // `clock` stamps the alarm announcements.
    PollCycle(PlantModel &model, TRs485Comm &link, EngineEvents &events, const Clock &clock,
              std::function<bool()> stopRequested);

    // One pass over panels 1..3, slots 1..10. Returns the number of transactions
    // made, so the caller can tell an idle cycle from a busy one.
    int runCycle();
    void pollSlot(int panel, int slot);
    void scanDecimalPoints();
    void ExecuteWrite();
    void EvaluateDeviation(int panel, int slot, const QString &pvText, const QString &svText);

    long transactions() const { return transactions_; }

private:
    bool stopped() const { return stopRequested_ && stopRequested_(); }
    std::optional<int> read(int station, TAddress address);
    void pointLinkAt(const LineSettings &line);
    void scanSlot(int panel, int slot);

    PlantModel &model_;
    TRs485Comm &link_;
    EngineEvents &events_;
    const Clock &clock_;
    std::function<bool()> stopRequested_;
    long transactions_ = 0;
    // The slot whose reads are under way, for the line health figures.
    int readPanel_ = 0;
    int readSlot_ = 0;
};
