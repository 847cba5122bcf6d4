#pragma once

// A chart as the windows use it: line and bar series of labelled points against a
// running X value, the left axis automatic or fixed, a depth effect, and drawing
// into a rectangle of a printer page. The points and the axis rule live in a
// ChartSeriesStore; the chart engine behind it stays in the .cpp files of the chart
// view, and the windows never reach it.
//
// Changing a chart schedules one redraw for the next turn of the event loop, and
// only while the chart can be seen: a chart that is hidden, or that its owner has
// put behind another one (setInFront(false)), is redrawn when it comes to the front.

#include "chartseriesstore.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>

#include <memory>

class QPaintDevice;


class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget *parent = nullptr);
    ~ChartView() override;

    // Look. Fonts should be given in pixels, so that a print-out keeps the screen's
    // proportions.
    void setTitle(const QString &text, const QFont &font, const QColor &colour);
    QString title() const;
    void setBackground(const QColor &colour);
    void setAxisText(const QFont &font, const QColor &colour);
    void setLegendShown(bool shown); // below the plot, listing the series titles
    void setTopAxisLabelled(bool labelled);
    // About how many point labels the horizontal axes show; 0 labels every point.
    void setLabelCount(int count);

    // Series are numbered from 0 in the order they were added.
    int addLineSeries(const QString &title, const QColor &colour, Qt::PenStyle style);
    int addBarSeries(const QString &title, bool marksShown);
    int seriesCount() const;

    // A point of a line series is drawn in its series' colour; every bar has its own
    // (an invalid colour takes the series'). X values are kept as given, never
    // renumbered.
    void appendPoint(int series, double x, double y, const QString &label, const QColor &colour = {});
    void deleteFirstPoint(int series);
    void clearSeries(int series);
    double largestX(int series) const; // 0 for an empty series
    void setPointValue(int series, int index, double y);
    // A hidden series keeps its points and goes on receiving new ones.
    void setSeriesVisible(int series, bool visible);

    bool isSeriesVisible(int series) const;
    QString seriesTitle(int series) const;
    QColor seriesColour(int series) const;
    Qt::PenStyle seriesPenStyle(int series) const;
    int pointCount(int series) const;
    double pointX(int series, int index) const;
    double pointY(int series, int index) const;
    QString pointLabel(int series, int index) const;
    QColor pointColour(int series, int index) const;
    // The value mark drawn above a bar; empty where the series shows no marks.
    QString pointMark(int series, int index) const;

    // Automatic: the axis spans the values of the shown series.
    void setLeftAxisAutomatic();
    // min must lie below max.
    void setLeftAxisFixed(double min, double max);
    bool leftAxisAutomatic() const;
    // The range in effect; in automatic mode the one the current points give.
    AxisRange leftAxisRange() const;

    void set3D(bool on);
    bool is3D() const;

    // Makes the owner's stacking known: a chart behind another is not redrawn.
    void setInFront(bool front);
    bool isInFront() const;

    // Redraws at once, whether or not anything changed.
    void redraw();
    // Labels the horizontal axes show as last drawn, left to right.
    QStringList horizontalLabels() const;
    // Draws the chart scaled into `rect` of a device with no painter open on it (for a
    // printer: begins and ends the print job). False when the device cannot be painted.
    bool drawInto(QPaintDevice &device, const QRect &rect);

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Impl;
    void changed();
    void redrawIfStale();

    std::unique_ptr<Impl> d;
};
