#pragma once

// What the chart view adds to the chart engine: tick labels taken from the points,
// a trend line that draws long runs of one value as one segment, and the walls of
// the depth effect.

#include <qcustomplot.h>

#include <functional>

// The text of a bar's value mark: up to three decimals, no trailing zeros.
QString markText(double value);
QColor blend(const QColor &a, const QColor &b, double share);

// Ticks at whole X values, each labelled with the label of the point at that X.
class PointLabelTicker : public QCPAxisTicker {
public:
    explicit PointLabelTicker(std::function<QString(double)> labelAt);
    void setEveryPoint(bool every) { everyPoint_ = every; }

protected:
    double getTickStep(const QCPRange &range) override;
    int getSubTickCount(double) override { return 0; }
    QString getTickLabel(double tick, const QLocale &, QChar, int) override { return labelAt_(tick); }

private:
    std::function<QString(double)> labelAt_;
    bool everyPoint_ = false;
};

// A line that leaves out the inner points of runs of equal values, after the
// engine has thinned the points to a few per pixel column: a set value that stays
// the same over thousands of samples is drawn as one segment, with no visible change.
// It may also run along the plot's frame: in automatic mode the highest and the
// lowest reading lie exactly on it.
class TrendLine : public QCPGraph {
public:
    using QCPGraph::QCPGraph;

protected:
    QRect clipRect() const override { return QCPGraph::clipRect().adjusted(0, -2, 0, 2); }
    void getOptimizedLineData(QVector<QCPGraphData> *lineData, const QCPGraphDataContainer::const_iterator &begin,
                              const QCPGraphDataContainer::const_iterator &end) const override;
};

// The depth effect: a back wall, a left wall and a floor receding to the upper right
// of the plot area, drawn behind the grid and the series.
class DepthWalls : public QCPLayerable {
public:
    DepthWalls(QCustomPlot *plot, QCPAxisRect *rect);
    void setDepth(int depth) { depth_ = depth; }
    void setColours(const QColor &fill, const QColor &edge);

protected:
    void applyDefaultAntialiasingHint(QCPPainter *painter) const override;
    void draw(QCPPainter *painter) override;

private:
    QCPAxisRect *rect_;
    int depth_ = 0;
    QColor fill_;
    QColor edge_;
};
