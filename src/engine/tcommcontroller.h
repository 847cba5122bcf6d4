#pragma once

// The polling engine: one worker thread that keeps the plant model current. It owns
// the link and everything the poll cycle calls; display changes leave it only as
// queued signals with value arguments.

#include "plantmodel.h"
#include "tilelamps.h"
#include "trs485comm.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

class PollCycle;
class EngineEvents;

class TCommController : public QThread {
    Q_OBJECT
public:
    // Called on the engine thread after every good SV read, with the slot's texts.
    using DeviationHook =
        std::function<void(int panel, int slot, const QString &pvText, const QString &svText)>;

    // Created suspended: nothing is polled before start().
    TCommController(PlantModel &model, std::unique_ptr<TRs485Comm> link,
                    QObject *parent = nullptr);
    // Requests the stop and waits only for the transaction in flight, which the
    // link's abort cuts short; safe at program exit.
    ~TCommController() override;

    PlantModel &model() { return model_; }

    void setDeviationHook(DeviationHook hook); // before start()

    // Called on the engine thread after every complete poll cycle, before its pause,
    // with the cycle count. For measurements; set before start().
    using CycleHook = std::function<void(long cycle)>;
    void setCycleHook(CycleHook hook) { cycleHook_ = std::move(hook); }

    // No transaction starts after this; returns at once. The transaction in flight is
    // abandoned at its next attempt.
    void requestStop();

    // Complete poll cycles since start (the first scan not counted).
    long cycleCount() const { return cycleCount_.load(); }

    // Pause after a cycle that made no transaction (every slot skipped); a write,
    // a rescan, ScanAll switched on or a stop ends it early. Set before start().
    void setIdlePause(std::chrono::milliseconds pause) { idlePause_ = pause; }
    static constexpr std::chrono::milliseconds kDefaultIdlePause{50};

signals:
    void tileLampsChanged(int panel, int slot, TileLamps lamps);
    // The scan lamp of (panel, slot) red and the other 29 white; (0, 0) makes all white.
    void scanLampChanged(int panel, int slot);
    void scanProgress(int panel, int position);
    // A write request that could not be sent (value not a number, or out of range).
    void writeRejected(int panel, int slot, int code, const QString &valueText,
                       const QString &reason);

protected:
    void run() override;

private:
    void EvaluateDeviation(int panel, int slot, const QString &pvText, const QString &svText);
    bool stopping() const;

    friend class ControllerEvents;

    PlantModel &model_;
    std::unique_ptr<TRs485Comm> link_;
    DeviationHook deviationHook_;
    CycleHook cycleHook_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<long> cycleCount_{0};
    // Set as run() ends; read after wait() so the end of run() visibly happens
    // before destruction, also to tools that cannot see inside QThread::wait().
    std::atomic<bool> runEnded_{false};
    std::chrono::milliseconds idlePause_ = kDefaultIdlePause;
    std::unique_ptr<EngineEvents> events_;
    std::unique_ptr<PollCycle> cycle_;
};
