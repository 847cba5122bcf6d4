#pragma once

// The plant as the web page reads it: the texts exactly as the tiles show them, the
// output as the tile's bar stands (tenths of a percent, held to 0..1000), and the
// alarm list newest first, as the alarm page shows it.

#include "plantview.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

// The tile bar's position for an output text: 0 when empty or not a number.
int outputBarPosition(const QString &outText);
// The same position as a percentage with one decimal ("53.7"); empty when the
// reading is missing.
QString outputPercentText(const QString &outText);

// `started`: whether the main window has shown the plant yet (no display tick before
// the operator starts monitoring).
QJsonObject plantViewJson(const PlantView &view, bool started);
QJsonArray alarmLinesJson(const QStringList &oldestFirst);
