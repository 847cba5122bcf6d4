#pragma once

// The display tick of the monitoring page, for one panel: the tiles' ID fields go
// into the plant model and the model's readings into the tiles.

#include <QString>

#include <array>
#include <optional>

class PlantModel;
class TController;

using PanelTiles = std::array<TController *, 11>; // slots 1..10, index 0 unused

// Returns the slots whose ID text could not be used (bit s set for slot s), so the
// caller may tell without the tick stopping; those keep their previous station.
unsigned refreshPanelTiles(PlantModel &model, int panel, const PanelTiles &tiles);
