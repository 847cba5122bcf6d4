#include "tbusyanimation.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr int kFrames = 24;
constexpr int kBoxes = 4;
} // namespace

TBusyAnimation::TBusyAnimation(QWidget *parent)
    : QWidget(parent)
{
    timer_.setInterval(80);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrames;
        update();
    });
}

void TBusyAnimation::start()
{
    timer_.start();
}

void TBusyAnimation::stop()
{
    timer_.stop();
}

void TBusyAnimation::hideEvent(QHideEvent *event)
{
    // Nothing to draw while hidden: a forgotten timer would wake the program for nothing.
    stop();
    QWidget::hideEvent(event);
}

void TBusyAnimation::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);

    // Controllers in a row, each a grey box with a dark display.
    const double gap = 4;
    const double boxW = (area.width() - gap * (kBoxes - 1)) / kBoxes;
    const double boxH = area.height() * 0.5;
    const double boxY = area.bottom() - boxH;
    const double phase = double(frame_) / kFrames;                   // 0..1 once round
    const double sweep = 0.5 - 0.5 * std::cos(phase * 2 * M_PI);      // there and back
    const int lit = std::min(kBoxes - 1, int(sweep * kBoxes));
    for (int i = 0; i < kBoxes; ++i) {
        const QRectF box(area.left() + i * (boxW + gap), boxY, boxW, boxH);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(box, 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(i == lit ? QColor(255, 40, 40) : QColor(30, 30, 30));
        p.drawRect(box.adjusted(3, 3, -3, -boxH * 0.45));
    }

    // The magnifier moves along the row with the sweep.
    const double r = std::min(area.height() * 0.28, boxW * 0.45);
    const QPointF centre(area.left() + r + sweep * (area.width() - 2 * r - r * 0.8),
                         area.top() + r + 1);
    p.setBrush(QColor(180, 220, 255, 140));
    p.setPen(QPen(QColor(20, 40, 90), 2.5));
    p.drawEllipse(centre, r, r);
    const QPointF handleStart = centre + QPointF(r * 0.7, r * 0.7);
    p.setPen(QPen(QColor(120, 70, 20), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(handleStart, handleStart + QPointF(r * 0.8, r * 0.8));
}
