#include "tcommcontroller.h"

#include "enginelog.h"
#include "pollcycle.h"

#include <chrono>

namespace {
// After a cycle that talked to a controller; it keeps the lines from being hammered
// back to back and is part of the polling rhythm, not a wait for anything.
constexpr std::chrono::milliseconds kCyclePause{1};
} // namespace

TCommController::TCommController(PlantModel &model, std::unique_ptr<TRs485Comm> link,
                                 const Clock *clock, QObject *parent)
    : QThread(parent), model_(model), link_(std::move(link)), clock_(clock ? *clock : systemClock_)
{
    cycle_ = std::make_unique<PollCycle>(model_, *link_, events_, clock_, [this] { return stopping(); });
}

TCommController::~TCommController()
{
    requestStop();
    wait();
    (void)runEnded_.load(std::memory_order_acquire);
}

void TCommController::deliverEventsTo(EngineEvents *target, QObject *context)
{
    events_.deliverTo(target, context);
}

void TCommController::requestStop()
{
    stopRequested_.store(true);
    link_->abort();
    model_.wakeEngine();
}

bool TCommController::stopping() const
{
    return stopRequested_.load();
}

void TCommController::run()
{
    qCDebug(lcEngine) << "engine started";
    cycle_->scanDecimalPoints();
    while (!stopping()) {
        const int transactions = cycle_->runCycle();
        if (stopping())
            break;
        const long cycles = ++cycleCount_;
        if (cycleHook_)
            cycleHook_(cycles);
        model_.waitForRequest(transactions > 0 ? kCyclePause : idlePause_);
    }
    qCDebug(lcEngine) << "engine stopped";
    runEnded_.store(true, std::memory_order_release);
}
