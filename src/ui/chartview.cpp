#include "chartview.h"

#include <qcustomplot.h>

#include <QMetaObject>
#include <QPaintDevice>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <vector>

namespace {

constexpr double kDepthShare = 0.10; // of the chart's smaller side
constexpr double kBarWidth = 0.6;    // in X units
constexpr int kDefaultLabelCount = 5;
// A print-out is laid out at least this wide in screen pixels, then scaled up.
constexpr int kSmallestPrintLayoutWidth = 640;
const AxisRange kFirstAutomaticRange{0, 100};

QString markText(double value)
{
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QColor blend(const QColor &a, const QColor &b, double share)
{
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

// Ticks at whole X values, each labelled with the label of the point at that X.
class PointLabelTicker : public QCPAxisTicker {
public:
    explicit PointLabelTicker(std::function<QString(double)> labelAt) : labelAt_(std::move(labelAt))
    {
        setTickCount(kDefaultLabelCount);
    }
    void setEveryPoint(bool every) { everyPoint_ = every; }

protected:
    double getTickStep(const QCPRange &range) override
    {
        if (everyPoint_)
            return 1;
        return std::max(1.0, std::round(QCPAxisTicker::getTickStep(range)));
    }
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
                              const QCPGraphDataContainer::const_iterator &end) const override
    {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        QVector<QCPGraphData> &points = *lineData;
        if (points.size() < 3)
            return;
        int kept = 1;
        for (int i = 1; i + 1 < points.size(); ++i) {
            if (points[i].value == points[kept - 1].value && points[i].value == points[i + 1].value)
                continue;
            points[kept++] = points[i];
        }
        points[kept++] = points.last();
        points.resize(kept);
    }
};

// The depth effect: a back wall, a left wall and a floor receding to the upper right
// of the plot area, drawn behind the grid and the series.
class DepthWalls : public QCPLayerable {
public:
    DepthWalls(QCustomPlot *plot, QCPAxisRect *rect) : QCPLayerable(plot, QStringLiteral("background")), rect_(rect)
    {
        setVisible(false);
    }
    void setDepth(int depth) { depth_ = depth; }
    void setColours(const QColor &fill, const QColor &edge)
    {
        fill_ = fill;
        edge_ = edge;
    }

protected:
    void applyDefaultAntialiasingHint(QCPPainter *painter) const override
    {
        applyAntialiasingHint(painter, mAntialiased, QCP::aeOther);
    }
    void draw(QCPPainter *painter) override
    {
        const QRectF front = rect_->rect();
        const QPointF off(depth_, -depth_);
        painter->setPen(QPen(edge_, 1));
        painter->setBrush(fill_);
        painter->drawRect(front.translated(off));
        painter->drawPolygon(QPolygonF{front.bottomLeft(), front.topLeft(), front.topLeft() + off,
                                       front.bottomLeft() + off});
        painter->drawPolygon(QPolygonF{front.bottomLeft(), front.bottomRight(), front.bottomRight() + off,
                                       front.bottomLeft() + off});
    }

private:
    QCPAxisRect *rect_;
    int depth_ = 0;
    QColor fill_;
    QColor edge_;
};

struct Series {
    bool bars = false;
    QString title;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    bool visible = true;
    bool marksShown = false;
    QCPGraph *graph = nullptr;       // a line series
    std::vector<QCPBars *> barItems; // a bar series: one per point, each in its own colour
    std::vector<QCPItemText *> marks;
    std::deque<QString> labels; // in the order of the points

    int count() const { return bars ? int(barItems.size()) : graph->data()->size(); }
    double x(int i) const { return bars ? barItems[i]->data()->constBegin()->key : (graph->data()->constBegin() + i)->key; }
    double y(int i) const
    {
        return bars ? barItems[i]->data()->constBegin()->value : (graph->data()->constBegin() + i)->value;
    }
    // Index of the point at exactly `at`, or -1.
    int indexOf(double at) const
    {
        if (bars) {
            for (int i = 0; i < count(); ++i)
                if (x(i) == at)
                    return i;
            return -1;
        }
        const auto data = graph->data();
        const auto it = std::lower_bound(data->constBegin(), data->constEnd(), at,
                                         [](const QCPGraphData &p, double key) { return p.key < key; });
        return it != data->constEnd() && it->key == at ? int(it - data->constBegin()) : -1;
    }
};

} // namespace

struct ChartView::Impl {
    QCustomPlot *plot = nullptr;
    QCPTextElement *title = nullptr;
    QSharedPointer<PointLabelTicker> ticker;
    DepthWalls *walls = nullptr;
    std::vector<Series> series;
    QFont axisFont;
    QColor background = Qt::white;
    QColor axisColour = Qt::black;
    bool legendShown = false;
    bool automatic = true;
    AxisRange fixed;
    mutable AxisRange lastAutomatic = kFirstAutomaticRange;
    bool depth = false;
    bool inFront = true;
    bool stale = true;
    bool redrawQueued = false;

    Series &at(int index) { return series.at(size_t(index)); }
    const Series &at(int index) const { return series.at(size_t(index)); }
    bool valid(int index) const { return index >= 0 && size_t(index) < series.size(); }
    bool validPoint(int index, int point) const { return valid(index) && point >= 0 && point < at(index).count(); }

    QString labelAt(double x) const
    {
        for (const Series &s : series) {
            if (!s.visible)
                continue;
            const int i = s.indexOf(x);
            if (i >= 0)
                return s.labels[size_t(i)];
        }
        return {};
    }

    AxisRange automaticRange() const
    {
        bool found = false;
        bool hasBars = false;
        double low = 0;
        double high = 0;
        const auto take = [&](double value) {
            low = found ? std::min(low, value) : value;
            high = found ? std::max(high, value) : value;
            found = true;
        };
        for (const Series &s : series) {
            if (!s.visible || s.count() == 0)
                continue;
            if (s.bars) {
                hasBars = true;
                take(0); // bars stand on zero
                for (int i = 0; i < s.count(); ++i)
                    take(s.y(i));
            } else {
                bool any = false;
                const QCPRange range = s.graph->getValueRange(any);
                if (any) {
                    take(range.lower);
                    take(range.upper);
                }
            }
        }
        if (!found)
            return lastAutomatic;
        if (low == high) {
            low -= 1;
            high += 1;
        } else if (hasBars) {
            high += (high - low) * 0.12; // room for the value marks
        }
        lastAutomatic = {low, high};
        return lastAutomatic;
    }

    QCPRange horizontalRange() const
    {
        bool found = false;
        double low = 0;
        double high = 0;
        bool bars = false;
        for (const Series &s : series) {
            if (!s.visible || s.count() == 0)
                continue;
            bars = bars || s.bars;
            const double first = s.x(0);
            const double last = s.x(s.count() - 1);
            low = found ? std::min(low, first) : first;
            high = found ? std::max(high, last) : last;
            found = true;
        }
        if (!found)
            return QCPRange(0, 1);
        if (bars)
            return QCPRange(low - 0.5, high + 0.5);
        if (low == high)
            return QCPRange(low - 1, high + 1);
        return QCPRange(low, high);
    }

    void updateAxes()
    {
        const QCPRange x = horizontalRange();
        plot->xAxis->setRange(x);
        plot->xAxis2->setRange(x);
        const AxisRange y = automatic ? automaticRange() : fixed;
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
        for (const Series &s : series) {
            if (s.visible && s.count() > 0)
                return QFontMetrics(axisFont).horizontalAdvance(s.labels.back());
        }
        return 0;
    }

    void rebuildLegend()
    {
        QCPLegend *legend = plot->legend;
        legend->clearItems();
        for (const Series &s : series) {
            if (s.visible && !s.bars)
                s.graph->addToLegend(legend);
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

    void removeBar(Series &s, size_t index)
    {
        plot->removePlottable(s.barItems[index]);
        plot->removeItem(s.marks[index]);
        s.barItems.erase(s.barItems.begin() + long(index));
        s.marks.erase(s.marks.begin() + long(index));
    }
};

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
    d->ticker.reset(new PointLabelTicker([impl](double x) { return impl->labelAt(x); }));
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

void ChartView::setTitle(const QString &text, const QFont &font, const QColor &colour)
{
    d->title->setText(text);
    d->title->setFont(font);
    d->title->setTextColor(colour);
    changed();
}

QString ChartView::title() const { return d->title->text(); }

void ChartView::setBackground(const QColor &colour)
{
    d->background = colour;
    d->plot->setBackground(QBrush(colour));
    d->plot->axisRect()->setBackground(QBrush(colour));
    d->plot->legend->setBrush(QBrush(colour));
    d->plot->legend->setBorderPen(QPen(blend(colour, d->axisColour, 0.5), 0));
    d->walls->setColours(blend(colour, d->axisColour, 0.18), blend(colour, d->axisColour, 0.45));
    setAxisText(d->axisFont, d->axisColour);
}

void ChartView::setAxisText(const QFont &font, const QColor &colour)
{
    d->axisFont = font;
    d->axisColour = colour;
    d->plot->setFont(font);
    const QColor grid = blend(d->background, colour, 0.3);
    for (QCPAxis *axis : {d->plot->xAxis, d->plot->xAxis2, d->plot->yAxis}) {
        axis->setTickLabelFont(font);
        axis->setTickLabelColor(colour);
        axis->setBasePen(QPen(colour, 0));
        axis->setTickPen(QPen(colour, 0));
        axis->setSubTickPen(QPen(colour, 0));
        axis->grid()->setPen(QPen(grid, 0, Qt::DotLine));
        axis->grid()->setZeroLinePen(Qt::NoPen);
    }
    d->plot->xAxis2->grid()->setVisible(false);
    d->plot->legend->setFont(font);
    d->plot->legend->setTextColor(colour);
    d->walls->setColours(blend(d->background, colour, 0.18), blend(d->background, colour, 0.45));
    changed();
}

void ChartView::setLegendShown(bool shown)
{
    if (shown == d->legendShown)
        return;
    d->legendShown = shown;
    QCPLayoutGrid *layout = d->plot->plotLayout();
    if (shown) {
        layout->addElement(layout->rowCount(), 0, d->plot->legend);
        layout->setRowStretchFactor(layout->rowCount() - 1, 0.001);
        d->rebuildLegend();
    } else {
        layout->take(d->plot->legend);
        layout->simplify();
    }
    d->plot->legend->setVisible(shown);
    changed();
}

void ChartView::setTopAxisLabelled(bool labelled)
{
    d->plot->xAxis2->setVisible(labelled);
    d->plot->xAxis2->setTickLabels(labelled);
    changed();
}

void ChartView::setLabelCount(int count)
{
    d->ticker->setEveryPoint(count <= 0);
    if (count > 0)
        d->ticker->setTickCount(count);
    changed();
}

int ChartView::addLineSeries(const QString &title, const QColor &colour, Qt::PenStyle style)
{
    Series s;
    s.title = title;
    s.colour = colour;
    s.style = style;
    s.graph = new TrendLine(d->plot->xAxis, d->plot->yAxis);
    s.graph->setLayer(QStringLiteral("lines"));
    s.graph->setName(title);
    s.graph->setPen(QPen(colour, 1, style));
    s.graph->setLineStyle(QCPGraph::lsLine);
    s.graph->setScatterStyle(QCPScatterStyle::ssNone);
    d->series.push_back(std::move(s));
    if (d->legendShown)
        d->rebuildLegend();
    changed();
    return int(d->series.size()) - 1;
}

int ChartView::addBarSeries(const QString &title, bool marksShown)
{
    Series s;
    s.bars = true;
    s.title = title;
    s.colour = QColor(255, 0, 0);
    s.marksShown = marksShown;
    d->series.push_back(std::move(s));
    return int(d->series.size()) - 1;
}

int ChartView::seriesCount() const { return int(d->series.size()); }

void ChartView::appendPoint(int series, double x, double y, const QString &label, const QColor &colour)
{
    if (!d->valid(series))
        return;
    Series &s = d->at(series);
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
        s.barItems.push_back(bar);
        s.marks.push_back(mark);
        s.labels.push_back(label);
    } else {
        const auto data = s.graph->data();
        // Points normally arrive in X order; one that does not is put in its place.
        if (data->isEmpty() || x >= (data->constEnd() - 1)->key) {
            data->add(QCPGraphData(x, y));
            s.labels.push_back(label);
        } else {
            const auto it = std::lower_bound(data->constBegin(), data->constEnd(), x,
                                             [](const QCPGraphData &p, double key) { return p.key < key; });
            const long index = long(it - data->constBegin());
            data->add(QCPGraphData(x, y));
            s.labels.insert(s.labels.begin() + index, label);
        }
    }
    changed();
}

void ChartView::deleteFirstPoint(int series)
{
    if (!d->valid(series) || d->at(series).count() == 0)
        return;
    Series &s = d->at(series);
    if (s.bars) {
        d->removeBar(s, 0);
    } else {
        const auto data = s.graph->data();
        // The front of the container is only marked free: no copying, no renumbering.
        data->remove(data->constBegin()->key);
    }
    s.labels.pop_front();
    changed();
}

void ChartView::clearSeries(int series)
{
    if (!d->valid(series))
        return;
    Series &s = d->at(series);
    if (s.bars) {
        while (!s.barItems.empty())
            d->removeBar(s, s.barItems.size() - 1);
    } else {
        s.graph->data()->clear();
    }
    s.labels.clear();
    changed();
}

double ChartView::largestX(int series) const
{
    if (!d->valid(series) || d->at(series).count() == 0)
        return 0;
    const Series &s = d->at(series);
    return s.x(s.count() - 1);
}

void ChartView::setPointValue(int series, int index, double y)
{
    if (!d->validPoint(series, index))
        return;
    Series &s = d->at(series);
    if (s.y(index) == y)
        return;
    if (s.bars) {
        QCPBarsData &point = *s.barItems[size_t(index)]->data()->begin();
        point.value = y;
        Impl::placeMark(s.marks[size_t(index)], point.key, y);
    } else {
        (s.graph->data()->begin() + index)->value = y;
    }
    changed();
}

void ChartView::setSeriesVisible(int series, bool visible)
{
    if (!d->valid(series) || d->at(series).visible == visible)
        return;
    Series &s = d->at(series);
    s.visible = visible;
    if (s.bars) {
        for (QCPBars *bar : s.barItems)
            bar->setVisible(visible);
        for (QCPItemText *mark : s.marks)
            mark->setVisible(visible && s.marksShown);
    } else {
        s.graph->setVisible(visible);
        if (d->legendShown)
            d->rebuildLegend();
    }
    changed();
}

bool ChartView::isSeriesVisible(int series) const { return d->valid(series) && d->at(series).visible; }
QString ChartView::seriesTitle(int series) const { return d->valid(series) ? d->at(series).title : QString(); }
QColor ChartView::seriesColour(int series) const { return d->valid(series) ? d->at(series).colour : QColor(); }
Qt::PenStyle ChartView::seriesPenStyle(int series) const
{
    return d->valid(series) ? d->at(series).style : Qt::NoPen;
}
int ChartView::pointCount(int series) const { return d->valid(series) ? d->at(series).count() : 0; }
double ChartView::pointX(int series, int index) const
{
    return d->validPoint(series, index) ? d->at(series).x(index) : 0;
}
double ChartView::pointY(int series, int index) const
{
    return d->validPoint(series, index) ? d->at(series).y(index) : 0;
}
QString ChartView::pointLabel(int series, int index) const
{
    return d->validPoint(series, index) ? d->at(series).labels[size_t(index)] : QString();
}

QColor ChartView::pointColour(int series, int index) const
{
    if (!d->validPoint(series, index))
        return {};
    const Series &s = d->at(series);
    return s.bars ? s.barItems[size_t(index)]->brush().color() : s.colour;
}

QString ChartView::pointMark(int series, int index) const
{
    if (!d->validPoint(series, index) || !d->at(series).bars || !d->at(series).marksShown)
        return {};
    return d->at(series).marks[size_t(index)]->text();
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

AxisRange ChartView::leftAxisRange() const { return d->automatic ? d->automaticRange() : d->fixed; }

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
