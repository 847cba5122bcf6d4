#pragma once

// The last hour of process values, per panel, for the page's trend: one sample of
// all thirty slots at a time, the oldest dropped once the window is full.

#include "plantview.h"

#include <QJsonObject>

#include <array>
#include <deque>
#include <optional>

class TrendHistory {
public:
    static constexpr qint64 kSpanMs = 60 * 60 * 1000;

    // A sample taken at `atMs` (milliseconds since the epoch). Samples older than the
    // span before the newest are dropped.
    void add(qint64 atMs, const PlantView &view);

    // {"start": ms, "times": [ms after start...], "slots": [[pv or null...] x 10]}
    QJsonObject panelJson(int panel) const;
    std::size_t size() const { return samples_.size(); }

private:
    struct Sample {
        qint64 atMs;
        std::array<std::array<std::optional<double>, kSlotCount + 1>, kPanelCount + 1> pv;
    };
    std::deque<Sample> samples_;
};
