#include "chartview.h"

#include "chartviewimpl.h"

#include <QMetaObject>
#include <QPaintDevice>
#include <QShowEvent>
#include <QVBoxLayout>

ChartView::ChartView(QWidget *parent) : QWidget(parent), d(std::make_unique<Impl>())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    d->plot = new QCustomPlot(this);
    d->plot->setObjectName(QStringLiteral("plot"));
    layout->addWidget(d->plot);

    QCustomPlot *plot = d->plot;
    // Thousands of points per series: each line goes out as one polyline in a
    // one-pixel pen (drawing it segment by segment measured no faster), unsmoothed.
    plot->setPlottingHint(QCP::phFastPolylines, false);
    plot->setNotAntialiasedElements(QCP::aePlottables | QCP::aeGrid | QCP::aeAxes);
    plot->setAutoAddPlottableToLegend(false);

    Impl *impl = d.get();
    d->ticker.reset(new PointLabelTicker([impl](double x) { return impl->store.labelAt(x); }));
    plot->xAxis->setTicker(d->ticker);
    plot->xAxis2->setTicker(d->ticker);
    plot->xAxis->setSubTicks(false);
    plot->xAxis2->setSubTicks(false);
    plot->yAxis2->setVisible(false);
    d->axisFont = QFont(QStringLiteral("Arial"));
    d->axisFont.setPixelSize(11);

    d->title = new QCPTextElement(plot, QString(), d->axisFont);
    plot->plotLayout()->insertRow(0);
    plot->plotLayout()->addElement(0, 0, d->title);

    // The legend leaves the plot area for a row of its own below it, filled left to
    // right ten entries a row.
    plot->axisRect()->insetLayout()->take(plot->legend);
    plot->legend->setVisible(false);
    plot->legend->setFillOrder(QCPLegend::foColumnsFirst);
    plot->legend->setWrap(10);
    plot->legend->setIconSize(22, 10);
    plot->legend->setRowSpacing(0);

    // Lines lie above the axes, so that one along the frame stays in sight.
    plot->addLayer(QStringLiteral("lines"), plot->layer(QStringLiteral("axes")), QCustomPlot::limAbove);

    d->walls = new DepthWalls(plot, plot->axisRect());
    setBackground(d->background);
    setAxisText(d->axisFont, d->axisColour);
}

ChartView::~ChartView() = default;

int ChartView::addLineSeries(const QString &title, const QColor &colour, Qt::PenStyle style)
{
    ChartSeries series;
    series.title = title;
    series.colour = colour;
    series.style = style;
    PlotItems items;
    items.graph = new TrendLine(d->plot->xAxis, d->plot->yAxis);
    items.graph->setLayer(QStringLiteral("lines"));
    items.graph->setName(title);
    items.graph->setPen(QPen(colour, 1, style));
    items.graph->setLineStyle(QCPGraph::lsLine);
    items.graph->setScatterStyle(QCPScatterStyle::ssNone);
    d->items.push_back(items);
    const int number = d->store.add(series);
    if (d->legendShown)
        d->rebuildLegend();
    changed();
    return number;
}

int ChartView::addBarSeries(const QString &title, bool marksShown)
{
    ChartSeries series;
    series.bars = true;
    series.title = title;
    series.colour = QColor(255, 0, 0);
    series.marksShown = marksShown;
    d->items.emplace_back();
    return d->store.add(series);
}

int ChartView::seriesCount() const { return d->store.count(); }

void ChartView::appendPoint(int series, double x, double y, const QString &label, const QColor &colour)
{
    if (!d->store.valid(series))
        return;
    const ChartSeries &s = d->store.at(series);
    PlotItems &items = d->items[size_t(series)];
    if (s.bars) {
        const QColor fill = colour.isValid() ? colour : s.colour;
        auto *bar = new QCPBars(d->plot->xAxis, d->plot->yAxis);
        bar->setWidth(kBarWidth);
        bar->setPen(QPen(fill.darker(160), 0));
        bar->setBrush(fill);
        bar->data()->add(QCPBarsData(x, y));
        bar->setVisible(s.visible);
        QCPItemText *mark = d->makeMark(x, y);
        mark->setVisible(s.visible && s.marksShown);
        const auto place = size_t(d->store.append(series, {x, y, label}));
        items.barItems.insert(items.barItems.begin() + long(place), bar);
        items.marks.insert(items.marks.begin() + long(place), mark);
    } else {
        d->store.append(series, {x, y, label});
        items.graph->data()->add(QCPGraphData(x, y));
    }
    changed();
}

void ChartView::deleteFirstPoint(int series)
{
    if (!d->store.validPoint(series, 0))
        return;
    if (d->store.at(series).bars) {
        d->removeBar(series, 0);
    } else {
        const auto data = d->items[size_t(series)].graph->data();
        // The front of the container is only marked free: no copying, no renumbering.
        data->remove(data->constBegin()->key);
        d->store.at(series).points.pop_front();
    }
    changed();
}

void ChartView::clearSeries(int series)
{
    if (!d->store.valid(series))
        return;
    if (d->store.at(series).bars) {
        while (d->store.at(series).count() > 0)
            d->removeBar(series, size_t(d->store.at(series).count() - 1));
    } else {
        d->items[size_t(series)].graph->data()->clear();
        d->store.at(series).points.clear();
    }
    changed();
}

double ChartView::largestX(int series) const
{
    return d->store.validPoint(series, 0) ? d->store.at(series).points.back().x : 0;
}

void ChartView::setPointValue(int series, int index, double y)
{
    if (!d->store.validPoint(series, index))
        return;
    ChartPoint &point = d->store.at(series).points[size_t(index)];
    if (point.y == y)
        return;
    point.y = y;
    PlotItems &items = d->items[size_t(series)];
    if (d->store.at(series).bars) {
        d->items[size_t(series)].barItems[size_t(index)]->data()->begin()->value = y;
        Impl::placeMark(items.marks[size_t(index)], point.x, y);
    } else {
        (items.graph->data()->begin() + index)->value = y;
    }
    changed();
}

void ChartView::setSeriesVisible(int series, bool visible)
{
    if (!d->store.valid(series) || d->store.at(series).visible == visible)
        return;
    ChartSeries &s = d->store.at(series);
    s.visible = visible;
    const PlotItems &items = d->items[size_t(series)];
    if (s.bars) {
        for (QCPBars *bar : items.barItems)
            bar->setVisible(visible);
        for (QCPItemText *mark : items.marks)
            mark->setVisible(visible && s.marksShown);
    } else {
        items.graph->setVisible(visible);
        if (d->legendShown)
            d->rebuildLegend();
    }
    changed();
}

bool ChartView::isSeriesVisible(int series) const { return d->store.valid(series) && d->store.at(series).visible; }
QString ChartView::seriesTitle(int series) const
{
    return d->store.valid(series) ? d->store.at(series).title : QString();
}
QColor ChartView::seriesColour(int series) const
{
    return d->store.valid(series) ? d->store.at(series).colour : QColor();
}
Qt::PenStyle ChartView::seriesPenStyle(int series) const
{
    return d->store.valid(series) ? d->store.at(series).style : Qt::NoPen;
}
int ChartView::pointCount(int series) const { return d->store.valid(series) ? d->store.at(series).count() : 0; }
double ChartView::pointX(int series, int index) const
{
    return d->store.validPoint(series, index) ? d->store.at(series).points[size_t(index)].x : 0;
}
double ChartView::pointY(int series, int index) const
{
    return d->store.validPoint(series, index) ? d->store.at(series).points[size_t(index)].y : 0;
}
QString ChartView::pointLabel(int series, int index) const
{
    return d->store.validPoint(series, index) ? d->store.at(series).points[size_t(index)].label : QString();
}

QColor ChartView::pointColour(int series, int index) const
{
    if (!d->store.validPoint(series, index))
        return {};
    const ChartSeries &s = d->store.at(series);
    return s.bars ? d->items[size_t(series)].barItems[size_t(index)]->brush().color() : s.colour;
}

QString ChartView::pointMark(int series, int index) const
{
    if (!d->store.validPoint(series, index) || !d->store.at(series).bars || !d->store.at(series).marksShown)
        return {};
    return d->items[size_t(series)].marks[size_t(index)]->text();
}

void ChartView::setLeftAxisAutomatic()
{
    d->automatic = true;
    changed();
}

void ChartView::setLeftAxisFixed(double min, double max)
{
    if (!(min < max))
        return;
    d->automatic = false;
    d->fixed = {min, max};
    changed();
}

bool ChartView::leftAxisAutomatic() const { return d->automatic; }

AxisRange ChartView::leftAxisRange() const { return d->automatic ? d->store.automaticRange() : d->fixed; }

void ChartView::set3D(bool on)
{
    if (d->depth == on)
        return;
    d->depth = on;
    changed();
}

bool ChartView::is3D() const { return d->depth; }

void ChartView::setInFront(bool front)
{
    d->inFront = front;
    if (front)
        changed();
}

bool ChartView::isInFront() const { return d->inFront; }

void ChartView::redraw()
{
    d->stale = false;
    d->updateAxes();
    d->plot->replot(QCustomPlot::rpImmediateRefresh);
}

QStringList ChartView::horizontalLabels() const
{
    QStringList labels;
    for (const QString &label : d->plot->xAxis->tickVectorLabels())
        if (!label.isEmpty())
            labels << label;
    return labels;
}

bool ChartView::drawInto(QPaintDevice &device, const QRect &rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return false;
    QCPPainter painter;
    if (!painter.begin(&device))
        return false;
    // Laid out as on the screen, then scaled to the rectangle: the fonts, given in
    // pixels, keep their share of the chart whatever the device's resolution.
    const int layoutWidth = std::max(width(), kSmallestPrintLayoutWidth);
    const double scale = rect.width() / double(layoutWidth);
    const int layoutHeight = std::max(1, qRound(rect.height() / scale));
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNonCosmetic);
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    const QRect screenViewport = d->plot->viewport();
    d->plot->setViewport(QRect(0, 0, layoutWidth, layoutHeight));
    d->updateAxes();
    d->plot->toPainter(&painter, layoutWidth, layoutHeight);
    painter.end();
    d->plot->setViewport(screenViewport);
    d->stale = true;
    changed();
    return true;
}

void ChartView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (d->stale)
        changed();
}

void ChartView::changed()
{
    d->stale = true;
    if (d->redrawQueued || !d->inFront || !isVisible())
        return;
    d->redrawQueued = true;
    QMetaObject::invokeMethod(this, &ChartView::redrawIfStale, Qt::QueuedConnection);
}

void ChartView::redrawIfStale()
{
    d->redrawQueued = false;
    if (d->stale && d->inFront && isVisible())
        redraw();
}
