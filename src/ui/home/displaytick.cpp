#include "displaytick.h"

#include "plantmodel.h"
#include "strictint.h"
#include "tcontroller.h"

unsigned refreshPanelTiles(PlantModel &model, int panel, const PanelTiles &tiles,
                           const ReadingsSnapshot &readings)
{
    unsigned rejected = 0;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        TController *tile = tiles[slot];
        if (!tile)
            continue;
        if (const std::optional<int> id = stationIdFromText(tile->idText()))
            model.setStationId(panel, slot, *id);
        else
            rejected |= 1u << slot;
        const SlotSnapshot &shown = readings.slotSnapshots[slot];
        tile->showReading(shown.pvText, shown.svText, shown.outText);
        tile->setLamps(shown.lamps);
    }
    return rejected;
}
