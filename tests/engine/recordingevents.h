#pragma once

// Records what the poll cycle reports, in order, for tests that run it directly.

#include "engineevents.h"

#include <QString>

#include <vector>

struct RecordingEvents : EngineEvents {
    struct Lamps {
        int panel, slot;
        TileLamps lamps;
    };
    struct Pair {
        int panel, slot;
        bool operator==(const Pair &o) const { return panel == o.panel && slot == o.slot; }
    };
    struct Rejection {
        int panel, slot, code;
        QString valueText, reason;
    };
    struct Deviation {
        int panel, slot;
        QString pv, sv;
    };

    std::vector<Lamps> lamps;
    std::vector<Pair> scanLamps;
    std::vector<Pair> progress; // (panel, position)
    std::vector<Rejection> rejections;
    std::vector<Deviation> deviations;
    std::vector<char> order; // 'L' tile lamps, 'S' scan lamp, in emission order

    void onTileLamps(int panel, int slot, TileLamps l) override
    {
        lamps.push_back({panel, slot, l});
        order.push_back('L');
    }
    void onScanLamp(int panel, int slot) override
    {
        scanLamps.push_back({panel, slot});
        order.push_back('S');
    }
    void onScanProgress(int panel, int position) override { progress.push_back({panel, position}); }
    void onWriteRejected(int panel, int slot, int code, const QString &valueText,
                         const QString &reason) override
    {
        rejections.push_back({panel, slot, code, valueText, reason});
    }
    void onDeviation(int panel, int slot, const QString &pv, const QString &sv) override
    {
        deviations.push_back({panel, slot, pv, sv});
    }
    void clear() { *this = RecordingEvents(); }
};
