#pragma once

// One panel's readings as every reader sees them: the tiles, the charts, the record
// lines and the outward views. Taken from the plant model in one guarded copy; the
// figures were parsed once, as the engine stored the texts, so no reader parses.

#include "panels.h"
#include "tilelamps.h"

#include <QString>

#include <array>
#include <optional>

struct SlotSnapshot {
    QString pvText; // empty: missing
    QString svText;
    QString outText;
    TileLamps lamps;
    bool linked = true; // false once the engine has marked the slot unlinked
    std::optional<double> pv;
    std::optional<double> sv;
    std::optional<double> out;

    bool sameShown(const SlotSnapshot &o) const
    {
        return pvText == o.pvText && svText == o.svText && outText == o.outText && lamps == o.lamps
            && linked == o.linked;
    }
};

struct ReadingsSnapshot {
    std::array<SlotSnapshot, kSlotCount + 1> slotSnapshots; // index 0 unused
};
