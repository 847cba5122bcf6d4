// How a chart looks: title, colours, fonts, legend and labels.

#include "chartviewimpl.h"

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

