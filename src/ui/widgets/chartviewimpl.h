#pragma once

// The inside of ChartView, shared by its files: the store of points and what the
// chart engine draws of it.

#include "chartextras.h"
#include "chartseriesstore.h"
#include "chartview.h"

#include <algorithm>
#include <vector>

inline constexpr double kDepthShare = 0.10; // of the chart's smaller side
inline constexpr double kBarWidth = 0.6;    // in X units
// A print-out is laid out at least this wide in screen pixels, then scaled up.
inline constexpr int kSmallestPrintLayoutWidth = 640;

// What the chart engine draws of one series of the store.
struct PlotItems {
    QCPGraph *graph = nullptr;       // a line series
    std::vector<QCPBars *> barItems; // a bar series: one per point, each in its own colour
    std::vector<QCPItemText *> marks;
};

struct ChartView::Impl {
    QCustomPlot *plot = nullptr;
    QCPTextElement *title = nullptr;
    QSharedPointer<PointLabelTicker> ticker;
    DepthWalls *walls = nullptr;
    ChartSeriesStore store;
    std::vector<PlotItems> items; // one per series of the store
    QFont axisFont;
    QColor background = Qt::white;
    QColor axisColour = Qt::black;
    bool legendShown = false;
    bool automatic = true;
    AxisRange fixed;
    bool depth = false;
    bool inFront = true;
    bool stale = true;
    bool redrawQueued = false;

    void updateAxes()
    {
        const AxisRange x = store.horizontalRange();
        plot->xAxis->setRange(x.min, x.max);
        plot->xAxis2->setRange(x.min, x.max);
        const AxisRange y = automatic ? store.automaticRange() : fixed;
        plot->yAxis->setRange(y.min, y.max);
        updateMargins();
    }

    void updateMargins()
    {
        QCPAxisRect *rect = plot->axisRect();
        // Without a right axis the plot's right edge needs room for half a label.
        const int edge = 12 + edgeLabelWidth() / 2;
        if (!depth) {
            walls->setVisible(false);
            plot->xAxis2->setOffset(0);
            rect->setAutoMargins(QCP::msAll);
            rect->setMinimumMargins(QMargins(0, 0, edge, 0));
            return;
        }
        const QRect area = plot->viewport();
        const int depthPixels = qRound(std::min(area.width(), area.height()) * kDepthShare);
        walls->setDepth(depthPixels);
        walls->setVisible(true);
        // The top axis moves up to the back wall's top edge; the right edge makes room
        // for the walls.
        plot->xAxis2->setOffset(depthPixels);
        rect->setAutoMargins(QCP::msLeft | QCP::msBottom | QCP::msTop);
        rect->setMinimumMargins(QMargins(0, depthPixels, depthPixels + edge, 0));
        rect->setMargins(QMargins(0, 0, depthPixels + edge, 0));
    }

    // The width of the label of the newest point shown, which is the one at the
    // right end.
    int edgeLabelWidth() const
    {
        for (const ChartSeries &s : store.all()) {
            if (s.visible && !s.points.empty())
                return QFontMetrics(axisFont).horizontalAdvance(s.points.back().label);
        }
        return 0;
    }

    void rebuildLegend()
    {
        QCPLegend *legend = plot->legend;
        legend->clearItems();
        for (int i = 0; i < store.count(); ++i) {
            if (store.at(i).visible && !store.at(i).bars)
                items[size_t(i)].graph->addToLegend(legend);
        }
    }

    QCPItemText *makeMark(double x, double y)
    {
        auto *mark = new QCPItemText(plot);
        mark->setClipToAxisRect(false);
        mark->setFont(axisFont);
        mark->setColor(Qt::black);
        mark->setBrush(QColor(255, 255, 225));
        mark->setPen(QPen(QColor(96, 96, 96), 0));
        mark->setPadding(QMargins(3, 1, 3, 1));
        placeMark(mark, x, y);
        return mark;
    }

    static void placeMark(QCPItemText *mark, double x, double y)
    {
        mark->position->setCoords(x, y);
        mark->setPositionAlignment(Qt::AlignHCenter | (y < 0 ? Qt::AlignTop : Qt::AlignBottom));
        mark->setText(markText(y));
    }

    void removeBar(int series, size_t index)
    {
        PlotItems &it = items[size_t(series)];
        plot->removePlottable(it.barItems[index]);
        plot->removeItem(it.marks[index]);
        it.barItems.erase(it.barItems.begin() + long(index));
        it.marks.erase(it.marks.begin() + long(index));
        std::deque<ChartPoint> &points = store.at(series).points;
        points.erase(points.begin() + long(index));
    }
};

