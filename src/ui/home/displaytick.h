#pragma once

// The display tick of the monitoring page, for one panel: the tiles' ID fields go
// into the plant model, and the panel's readings snapshot, texts and lamps of each
// slot taken together, into the tiles.

#include "readingssnapshot.h"

#include <array>

class PlantModel;
class TController;

using PanelTiles = std::array<TController *, kSlotCount + 1>; // slots 1..10, index 0 unused

// Returns the slots whose ID text could not be used (bit s set for slot s), so the
// caller may tell without the tick stopping; those keep their previous station.
unsigned refreshPanelTiles(PlantModel &model, int panel, const PanelTiles &tiles,
                           const ReadingsSnapshot &readings);
