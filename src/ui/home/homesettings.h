#pragma once

// Key FmHome as the main window declares it: the company name, then for each slot
// number the tile titles, the station IDs and the recipe fields of the three panels.
// Loading ends by handing the tiles' station IDs to the engine.

#include "settingssection.h"

class PlantModel;
class TFmHome;

SettingsSection homeSettingsSection(TFmHome &home, PlantModel &model);
