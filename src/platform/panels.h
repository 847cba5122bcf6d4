#pragma once

// The installation's shape: three panels (lines A, B, C) of ten controller slots,
// numbered from 1 everywhere.

#include <QChar>

constexpr int kPanelCount = 3;
constexpr int kSlotCount = 10;

// "A", "B", "C" for panels 1, 2, 3, as control and setting names spell them.
inline QChar panelLetter(int panel)
{
    return QChar(char16_t(u'A' + (panel - 1)));
}
