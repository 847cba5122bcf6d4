#include "displaytick.h"

#include "plantmodel.h"
#include "strictint.h"
#include "tcontroller.h"

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
