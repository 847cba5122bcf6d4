#include "trendhistory.h"

#include <QJsonArray>

void TrendHistory::add(qint64 atMs, const PlantView &view)
{
    Sample sample{atMs, {}};
    for (int p = 1; p <= kPanelCount; ++p)
        for (int s = 1; s <= kSlotCount; ++s)
            if (const auto &pv = view.panels[p].slotSnapshots[s].pv)
                sample.pv[p][s] = *pv;
    samples_.push_back(sample);
    while (!samples_.empty() && samples_.front().atMs < atMs - kSpanMs)
        samples_.pop_front();
}

QJsonObject TrendHistory::panelJson(int panel) const
{
    const qint64 start = samples_.empty() ? 0 : samples_.front().atMs;
    QJsonArray times;
    std::array<QJsonArray, kSlotCount + 1> values;
    if (panel >= 1 && panel <= kPanelCount) {
        for (const Sample &sample : samples_) {
            times.append(sample.atMs - start);
            for (int s = 1; s <= kSlotCount; ++s) {
                const auto &pv = sample.pv[panel][s];
                values[s].append(pv ? QJsonValue(*pv) : QJsonValue());
            }
        }
    }
    QJsonArray slotList;
    for (int s = 1; s <= kSlotCount; ++s)
        slotList.append(values[s]);
    return {{QStringLiteral("panel"), panel},
            {QStringLiteral("start"), start},
            {QStringLiteral("times"), times},
            {QStringLiteral("slots"), slotList}};
}
