#include "pagecanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <QtMath>

PrinterCanvas::PrinterCanvas(QPrinter &printer, const QString &fontFamily)
    : printer_(printer), savedOrientation_(printer.pageLayout().orientation()),
      painter_(std::make_unique<QPainter>())
{
    printer_.setPageOrientation(QPageLayout::Portrait);
    font_ = QFont(fontFamily);
    if (painter_->begin(&printer_)) {
        // The font is measured at the printer's resolution, not the screen's.
        setFontSize(12);
        painter_->setPen(Qt::black);
    } else {
        painter_.reset();
        printer_.setPageOrientation(savedOrientation_);
        finished_ = true;
    }
}

PrinterCanvas::~PrinterCanvas() { finish(); }

bool PrinterCanvas::isActive() const { return painter_ != nullptr; }

bool PrinterCanvas::finish()
{
    if (finished_)
        return painter_ != nullptr;
    finished_ = true;
    const bool ended = painter_->end();
    printer_.setPageOrientation(savedOrientation_);
    return ended;
}

QSize PrinterCanvas::pageSize() const { return {printer_.width(), printer_.height()}; }

void PrinterCanvas::setFontSize(int points)
{
    // The operators' printouts were made with 新細明體, whose text is exactly as high
    // as its size. The fonts that stand in for it are taller, which would push the
    // fortieth line of a page into its page number; they get the same text height.
    const qreal height = points * printer_.resolution() / 72.0;
    QFont font(font_);
    font.setPixelSize(qMax(1, qRound(height)));
    const qreal taller = QFontMetricsF(QFont(font, &printer_), &printer_).height() / height;
    if (taller > 1.0)
        font.setPixelSize(qMax(1, qFloor(height / taller)));
    font_ = QFont(font, &printer_);
    if (painter_)
        painter_->setFont(font_);
}

QSize PrinterCanvas::textExtent(const QString &text) const
{
    const QFontMetrics metrics(font_, &printer_);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void PrinterCanvas::drawText(int x, int y, const QString &text)
{
    if (!painter_ || finished_)
        return;
    painter_->drawText(x, y + QFontMetrics(font_, &printer_).ascent(), text);
}

void PrinterCanvas::newPage()
{
    if (painter_ && !finished_)
        printer_.newPage();
}
