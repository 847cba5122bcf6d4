#include "plantjson.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

int outputBarPosition(const QString &outText)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(outText.trimmed(), &ok);
    if (!ok || std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, 0.0, 1000.0));
}

QString outputPercentText(const QString &outText)
{
    if (outText.isEmpty())
        return QString();
    return QString::number(outputBarPosition(outText) / 10.0, 'f', 1);
}

namespace {

QJsonObject slotJson(const QString &title, const SlotSnapshot &slot)
{
    return {
        {QStringLiteral("title"), title},
        {QStringLiteral("pv"), slot.pvText},
        {QStringLiteral("sv"), slot.svText},
        {QStringLiteral("out"), outputPercentText(slot.outText)},
        {QStringLiteral("bar"), outputBarPosition(slot.outText)},
        {QStringLiteral("lamps"), QJsonArray{slot.lamps.out1, slot.lamps.out2, slot.lamps.al1, slot.lamps.al2}},
        {QStringLiteral("linked"), slot.linked},
    };
}

} // namespace

QJsonObject plantViewJson(const PlantView &view, bool started)
{
    QJsonArray panels;
    for (int p = 1; p <= kPanelCount; ++p) {
        QJsonArray slotList;
        for (int s = 1; s <= kSlotCount; ++s)
            slotList.append(slotJson(view.tileTitles[p][s], view.panels[p].slotSnapshots[s]));
        panels.append(QJsonObject{{QStringLiteral("slots"), slotList}});
    }
    return {
        {QStringLiteral("title"), view.windowTitle},
        {QStringLiteral("started"), started},
        {QStringLiteral("panels"), panels},
    };
}

QJsonArray alarmLinesJson(const QStringList &oldestFirst)
{
    QJsonArray lines;
    for (auto line = oldestFirst.crbegin(); line != oldestFirst.crend(); ++line)
        lines.append(*line);
    return lines;
}
