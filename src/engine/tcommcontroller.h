#pragma once

// The polling engine: one worker thread that keeps the plant model current. It owns
// the link and everything the poll cycle calls; display changes leave it only as
// queued signals with value arguments.

#include "plantmodel.h"
#include "trs485comm.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

// The four lamps of a tile, as the status register's bits 0, 1, 3 and 4 set them.
struct TileLamps {
    bool out1 = false;
    bool out2 = false;
    bool al1 = false;
    bool al2 = false;
};
Q_DECLARE_METATYPE(TileLamps)

class TCommController : public QThread {
    Q_OBJECT
public:
    // Called on the engine thread after every good SV read, with the slot's texts.
    using DeviationHook =
        std::function<void(int panel, int slot, const QString &pvText, const QString &svText)>;

    // Created suspended: nothing is polled before start().
    TCommController(PlantModel &model, std::unique_ptr<TRs485Comm> link,
                    QObject *parent = nullptr);
    ~TCommController() override;

    PlantModel &model() { return model_; }

    void setDeviationHook(DeviationHook hook); // before start()

    // No transaction starts after this; returns at once. The transaction in flight is
    // abandoned at its next attempt.
    void requestStop();

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
    // The engine thread's own parts; see tcommcontroller.cpp and dpscan.cpp.
    void pollCycle();
    void pollSlot(int panel, int slot);
    void scanDecimalPoints();
    void ExecuteWrite();
    void EvaluateDeviation(int panel, int slot, const QString &pvText, const QString &svText);
    bool stopping() const;

    PlantModel &model_;
    std::unique_ptr<TRs485Comm> link_;
    DeviationHook deviationHook_;
    std::atomic<bool> stopRequested_{false};
};
