#include "scanlamps.h"

#include <QPalette>
#include <QWidget>

void ScanLamps::attach(const std::array<QWidget *, 31> &lamps)
{
    lamps_ = lamps;
    active_ = 0;
    for (int k = 1; k <= 30; ++k)
        paint(k, false);
}

void ScanLamps::select(int panel, int slot)
{
    const bool valid = panel >= 1 && panel <= 3 && slot >= 1 && slot <= 10;
    const int next = valid ? lampIndex(panel, slot) : 0;
    if (next == active_)
        return;
    if (active_ != 0)
        paint(active_, false);
    if (next != 0)
        paint(next, true);
    active_ = next;
}

QColor ScanLamps::colour(int lamp) const
{
    if (lamp < 1 || lamp > 30 || !lamps_[lamp])
        return QColor();
    return lamps_[lamp]->palette().color(QPalette::Window);
}

void ScanLamps::paint(int lamp, bool active)
{
    QWidget *widget = lamps_[lamp];
    if (!widget)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, active ? activeColour() : restColour());
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->setAccessibleDescription(active ? QStringLiteral("on") : QStringLiteral("off"));
}
