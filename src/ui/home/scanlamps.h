#pragma once

// The thirty scan lamps above the tiles: the slot the engine is polling shows red,
// all others white. Only the lamps that change are repainted, because the engine
// moves the red lamp for every slot it polls.

#include <QColor>

#include <array>

class QWidget;

class ScanLamps {
public:
    static QColor restColour() { return QColor(255, 255, 255); }
    static QColor activeColour() { return QColor(255, 0, 0); }

    // Lamp k (1..30) belongs to panel (k - 1) / 10 + 1, slot (k - 1) % 10 + 1.
    static int lampIndex(int panel, int slot) { return (panel - 1) * 10 + slot; }

    // Lamps indexed 1..30 (index 0 unused); all are painted white.
    void attach(const std::array<QWidget *, 31> &lamps);

    // (panel, slot) red and the others white; an invalid pair (0, 0) makes all white.
    void select(int panel, int slot);

    // The lamp shown red, 0 for none.
    int activeLamp() const { return active_; }
    QColor colour(int lamp) const;

private:
    void paint(int lamp, bool active);

    std::array<QWidget *, 31> lamps_{};
    int active_ = 0;
};
