#include "displaytick.h"

#include "plantmodel.h"
#include "tcontroller.h"

std::optional<int> stationIdFromText(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

unsigned refreshPanelTiles(PlantModel &model, int panel, const PanelTiles &tiles)
{
    unsigned rejected = 0;
    for (int slot = 1; slot <= 10; ++slot) {
        TController *tile = tiles[slot];
        if (!tile)
            continue;
        if (const std::optional<int> id = stationIdFromText(tile->idText()))
            model.setStationId(panel, slot, *id);
        else
            rejected |= 1u << slot;
        const SlotReading reading = model.reading(panel, slot);
        tile->showReading(reading.PvText, reading.SvText, reading.OutText);
    }
    return rejected;
}
