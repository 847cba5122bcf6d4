#pragma once

// Line health of the whole installation: the figures of every slot's station and the
// time each panel's part of a poll cycle took. A plain value: the plant model keeps
// one under its lock and hands out copies, which the readers work on unlocked.

#include "panels.h"
#include "stationhealth.h"

#include <array>

struct CycleFigures {
    bool measured = false;
    double lastMs = 0;
    double medianMs = 0;
};

class LineHealthBook {
public:
    using TimePoint = StationHealth::TimePoint;
    static constexpr std::size_t kCycleWindow = 16;

    // Out-of-range panels and slots are ignored, and answered with empty figures.
    void noteRead(int panel, int slot, const ReadOutcome &outcome, TimePoint now);
    void noteCycle(int panel, double ms);

    StationFigures station(int panel, int slot, TimePoint now) const;
    CycleFigures cycle(int panel) const;

private:
    static bool validIndex(int panel, int slot);

    std::array<std::array<StationHealth, kSlotCount + 1>, kPanelCount + 1> stations_{}; // index 0 unused
    std::array<TimeWindow<kCycleWindow>, kPanelCount + 1> cycles_{};
};
