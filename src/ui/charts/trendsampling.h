#pragma once

// One sample of a trend chart and the sliding window it keeps. The window is kept by
// sample number, not by number of points: a tick first drops the oldest point of
// every series when the chart's sample number has passed the limit, then adds one
// point to each. So a cleared chart grows to limit + 1 points and then slides, and a
// limit changed under a full chart leaves the number of points as it is until the
// chart is cleared, or until the sample number passes a raised limit.

#include "readingssnapshot.h"

#include <QString>

constexpr int kTrendSeriesCount = 2 * kSlotCount;

// Where a slot's two series stand among a trend chart's twenty: PV, then SV.
constexpr int pvSeries(int slot) { return 2 * (slot - 1); }
constexpr int svSeries(int slot) { return 2 * (slot - 1) + 1; }

// A reading as a chart value: a missing one, a slot without link, is 0.
inline double chartValue(const std::optional<double> &figure)
{
    return figure.value_or(0);
}

// Whether a tick drops the oldest point of every series before adding its own.
inline bool dropsOldest(double largestSampleNumber, int pointLimit)
{
    return largestSampleNumber > pointLimit;
}

// `Chart` offers largestX(series), deleteFirstPoint(series) and
// appendPoint(series, x, y, label). The first series (PV of slot 1) tells the
// chart's sample number; every series numbers its own points.
template <typename Chart>
void sampleTrend(Chart &chart, int pointLimit, const ReadingsSnapshot &readings, const QString &timeText)
{
    if (dropsOldest(chart.largestX(pvSeries(1)), pointLimit)) {
        for (int series = 0; series < kTrendSeriesCount; ++series)
            chart.deleteFirstPoint(series);
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const SlotSnapshot &reading = readings.slotSnapshots[slot];
        const int pv = pvSeries(slot);
        chart.appendPoint(pv, chart.largestX(pv) + 1, chartValue(reading.pv), timeText);
        const int sv = svSeries(slot);
        chart.appendPoint(sv, chart.largestX(sv) + 1, chartValue(reading.sv), timeText);
    }
}
