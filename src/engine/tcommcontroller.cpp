#include "tcommcontroller.h"

#include "enginelog.h"
#include "pollcycle.h"

#include <chrono>

namespace {
// After a cycle that talked to a controller; it keeps the lines from being hammered
// back to back and is part of the polling rhythm, not a wait for anything.
constexpr std::chrono::milliseconds kCyclePause{1};
} // namespace

// Turns the poll cycle's events into the controller's signals. They are emitted on
// the engine thread; receivers on the GUI thread get them queued, in order.
class ControllerEvents : public EngineEvents {
public:
    explicit ControllerEvents(TCommController &c) : c_(c) {}
    void onTileLamps(int panel, int slot, TileLamps lamps) override
    {
        emit c_.tileLampsChanged(panel, slot, lamps);
    }
    void onScanLamp(int panel, int slot) override { emit c_.scanLampChanged(panel, slot); }
    void onScanProgress(int panel, int position) override
    {
        emit c_.scanProgress(panel, position);
    }
    void onWriteRejected(int panel, int slot, int code, const QString &valueText,
                         const QString &reason) override
    {
        emit c_.writeRejected(panel, slot, code, valueText, reason);
    }
    void onDeviation(int panel, int slot, const QString &pvText, const QString &svText) override
    {
        c_.EvaluateDeviation(panel, slot, pvText, svText);
    }

private:
    TCommController &c_;
};

TCommController::TCommController(PlantModel &model, std::unique_ptr<TRs485Comm> link,
                                 QObject *parent)
    : QThread(parent), model_(model), link_(std::move(link))
{
    qRegisterMetaType<TileLamps>("TileLamps");
    events_ = std::make_unique<ControllerEvents>(*this);
    cycle_ = std::make_unique<PollCycle>(model_, *link_, *events_, [this] { return stopping(); });
}

TCommController::~TCommController()
{
    requestStop();
    wait();
    (void)runEnded_.load(std::memory_order_acquire);
}

void TCommController::setDeviationHook(DeviationHook hook)
{
    deviationHook_ = std::move(hook);
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

void TCommController::EvaluateDeviation(int panel, int slot, const QString &pvText,
                                        const QString &svText)
{
    if (deviationHook_)
        deviationHook_(panel, slot, pvText, svText);
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
