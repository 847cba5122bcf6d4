#pragma once

// What the poll cycle tells the outside world. The controller turns these into
// queued signals; tests record them directly.

#include "tilelamps.h"

#include <QString>

class EngineEvents {
public:
    virtual ~EngineEvents() = default;
    virtual void onTileLamps(int panel, int slot, TileLamps lamps) = 0;
    // (0, 0): every scan lamp white.
    virtual void onScanLamp(int panel, int slot) = 0;
    virtual void onScanProgress(int panel, int position) = 0;
    virtual void onWriteRejected(int panel, int slot, int code, const QString &valueText,
                                 const QString &reason) = 0;
    // After every good SV read, with the texts just stored.
    virtual void onDeviation(int panel, int slot, const QString &pvText,
                             const QString &svText) = 0;
};
