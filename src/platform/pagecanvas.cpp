#include "pagecanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

PrinterCanvas::PrinterCanvas(QPrinter &printer, const QString &fontFamily)
    : printer_(printer), savedOrientation_(printer.pageLayout().orientation()),
      painter_(std::make_unique<QPainter>())
{
    printer_.setPageOrientation(QPageLayout::Portrait);
    font_ = QFont(fontFamily, 12);
    if (painter_->begin(&printer_)) {
        // The font is measured at the printer's resolution, not the screen's.
        font_ = QFont(font_, &printer_);
        painter_->setFont(font_);
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
    font_.setPointSize(points);
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
