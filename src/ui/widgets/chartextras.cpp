#include "chartextras.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kDefaultLabelCount = 5;
}

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

PointLabelTicker::PointLabelTicker(std::function<QString(double)> labelAt) : labelAt_(std::move(labelAt))
{
    setTickCount(kDefaultLabelCount);
}

double PointLabelTicker::getTickStep(const QCPRange &range)
{
    if (everyPoint_)
        return 1;
    return std::max(1.0, std::round(QCPAxisTicker::getTickStep(range)));
}

void TrendLine::getOptimizedLineData(QVector<QCPGraphData> *lineData,
                                     const QCPGraphDataContainer::const_iterator &begin,
                                     const QCPGraphDataContainer::const_iterator &end) const
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

DepthWalls::DepthWalls(QCustomPlot *plot, QCPAxisRect *rect)
    : QCPLayerable(plot, QStringLiteral("background")), rect_(rect)
{
    setVisible(false);
}

void DepthWalls::setColours(const QColor &fill, const QColor &edge)
{
    fill_ = fill;
    edge_ = edge;
}

void DepthWalls::applyDefaultAntialiasingHint(QCPPainter *painter) const
{
    applyAntialiasingHint(painter, mAntialiased, QCP::aeOther);
}

void DepthWalls::draw(QCPPainter *painter)
{
    const QRectF front = rect_->rect();
    const QPointF off(depth_, -depth_);
    painter->setPen(QPen(edge_, 1));
    painter->setBrush(fill_);
    painter->drawRect(front.translated(off));
    painter->drawPolygon(
        QPolygonF{front.bottomLeft(), front.topLeft(), front.topLeft() + off, front.bottomLeft() + off});
    painter->drawPolygon(
        QPolygonF{front.bottomLeft(), front.bottomRight(), front.bottomRight() + off, front.bottomLeft() + off});
}
