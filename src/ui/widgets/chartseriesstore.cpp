#include "chartseriesstore.h"

#include <algorithm>
#include <cmath>

int ChartSeriesStore::add(const ChartSeries &series)
{
    series_.push_back(series);
    return count() - 1;
}

int ChartSeriesStore::append(int series, const ChartPoint &point)
{
    std::deque<ChartPoint> &points = at(series).points;
    if (points.empty() || point.x >= points.back().x) {
        points.push_back(point);
        return int(points.size()) - 1;
    }
    const auto place = std::lower_bound(points.begin(), points.end(), point.x,
                                        [](const ChartPoint &p, double x) { return p.x < x; });
    return int(points.insert(place, point) - points.begin());
}

int ChartSeriesStore::indexOf(int series, double x) const
{
    const std::deque<ChartPoint> &points = at(series).points;
    const auto it = std::lower_bound(points.begin(), points.end(), x,
                                     [](const ChartPoint &p, double key) { return p.x < key; });
    return it != points.end() && it->x == x ? int(it - points.begin()) : -1;
}

QString ChartSeriesStore::labelAt(double x) const
{
    for (int s = 0; s < count(); ++s) {
        if (!at(s).visible)
            continue;
        const int i = indexOf(s, x);
        if (i >= 0)
            return at(s).points[size_t(i)].label;
    }
    return {};
}

AxisRange ChartSeriesStore::automaticRange() const
{
    bool found = false;
    bool hasBars = false;
    double low = 0;
    double high = 0;
    const auto take = [&](double value) {
        if (std::isnan(value))
            return;
        low = found ? std::min(low, value) : value;
        high = found ? std::max(high, value) : value;
        found = true;
    };
    for (const ChartSeries &s : series_) {
        if (!s.visible || s.points.empty())
            continue;
        if (s.bars) {
            hasBars = true;
            take(0); // bars stand on zero
        }
        for (const ChartPoint &p : s.points)
            take(p.y);
    }
    if (!found)
        return lastAutomatic_;
    if (low == high) {
        low -= 1;
        high += 1;
    } else if (hasBars) {
        high += (high - low) * 0.12; // room for the value marks
    }
    lastAutomatic_ = {low, high};
    return lastAutomatic_;
}

AxisRange ChartSeriesStore::horizontalRange() const
{
    bool found = false;
    bool bars = false;
    double low = 0;
    double high = 0;
    for (const ChartSeries &s : series_) {
        if (!s.visible || s.points.empty())
            continue;
        bars = bars || s.bars;
        low = found ? std::min(low, s.points.front().x) : s.points.front().x;
        high = found ? std::max(high, s.points.back().x) : s.points.back().x;
        found = true;
    }
    if (!found)
        return {0, 1};
    if (bars)
        return {low - 0.5, high + 0.5};
    if (low == high)
        return {low - 1, high + 1};
    return {low, high};
}
