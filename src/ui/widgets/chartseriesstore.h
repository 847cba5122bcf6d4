#pragma once

// The points of a chart and the rule for its axes, apart from any drawing: series of
// (x, y, label, colour) points, kept in X order and never renumbered, and the ranges
// the axes take from the series that are shown.

#include <QColor>
#include <QString>

#include <deque>
#include <vector>

struct AxisRange {
    double min = 0;
    double max = 0;
};

struct ChartPoint {
    double x = 0;
    double y = 0;
    QString label;
};

struct ChartSeries {
    bool bars = false;
    QString title;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    bool visible = true;
    bool marksShown = false;
    std::deque<ChartPoint> points; // in X order

    int count() const { return int(points.size()); }
};

class ChartSeriesStore {
public:
    int add(const ChartSeries &series); // its number, counted from 0
    int count() const { return int(series_.size()); }
    bool valid(int series) const { return series >= 0 && series < count(); }
    bool validPoint(int series, int index) const
    {
        return valid(series) && index >= 0 && index < at(series).count();
    }
    ChartSeries &at(int series) { return series_.at(size_t(series)); }
    const ChartSeries &at(int series) const { return series_.at(size_t(series)); }
    const std::vector<ChartSeries> &all() const { return series_; }

    // Points normally arrive in X order; one that does not is put in its place.
    // Returns the index it was given.
    int append(int series, const ChartPoint &point);
    // Index of the point at exactly `x`, or -1.
    int indexOf(int series, double x) const;
    // The label of the first shown series with a point at exactly `x`.
    QString labelAt(double x) const;

    // The range of the left axis in automatic mode: the values of the shown series,
    // bars standing on zero with room above for their value marks. With nothing shown
    // the last automatic range stands (at first 0..100).
    AxisRange automaticRange() const;
    // The X range the shown series span; bars get half a bar's room at either end.
    AxisRange horizontalRange() const;

private:
    std::vector<ChartSeries> series_;
    mutable AxisRange lastAutomatic_{0, 100};
};
