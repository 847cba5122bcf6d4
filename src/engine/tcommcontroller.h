#pragma once

// The polling engine: one worker thread that keeps the plant model current. It owns
// the link and everything the poll cycle calls; what it has to tell the windows
// leaves it only through its EngineEvents, handed to the windows' thread in order.

#include "clock.h"
#include "plantmodel.h"
#include "queuedengineevents.h"
#include "trs485comm.h"

#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

class PollCycle;

class TCommController : public QThread {
    Q_OBJECT
public:
    // Created suspended: nothing is polled before start(). `clock` stamps alarm
    // announcements; without one the system clock does.
    TCommController(PlantModel &model, std::unique_ptr<TRs485Comm> link,
                    const Clock *clock = nullptr, QObject *parent = nullptr);
    // Requests the stop and waits only for the transaction in flight, which the
    // link's abort cuts short; safe at program exit.
    ~TCommController() override;

    PlantModel &model() { return model_; }

    // Where the engine's events go: `target` is called on the thread of `context`, one
    // event at a time in the engine's order. Set before start(); detach (nullptrs)
    // before either goes away while the engine may still run.
    void deliverEventsTo(EngineEvents *target, QObject *context);
    // The way out that the poll cycle uses; events issued here reach the target queued,
    // as the engine's own do (tests stand in for the engine through it).
    EngineEvents &events() { return events_; }

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

protected:
    void run() override;

private:
    bool stopping() const;

    PlantModel &model_;
    std::unique_ptr<TRs485Comm> link_;
    SystemClock systemClock_;
    const Clock &clock_;
    QueuedEngineEvents events_;
    CycleHook cycleHook_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<long> cycleCount_{0};
    // Set as run() ends; read after wait() so the end of run() visibly happens
    // before destruction, also to tools that cannot see inside QThread::wait().
    std::atomic<bool> runEnded_{false};
    std::chrono::milliseconds idlePause_ = kDefaultIdlePause;
    std::unique_ptr<PollCycle> cycle_;
};
