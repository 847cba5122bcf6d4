#pragma once

// Key FmHome as the main window declares it: the company name, then for each slot
// number the tile titles, the station IDs and the recipe fields of the three panels.
// Loading ends by handing the tiles' station IDs to the engine.

#include "settingssection.h"

#include <vector>

class PlantModel;
class TFmHome;

SettingsSection homeSettingsSection(TFmHome &home, PlantModel &model);

// Every section the program keeps, in the order they are stored: the main window's,
// then those of the setting windows it has been given.
std::vector<SettingsSection> programSettingsSections(TFmHome &home, PlantModel &model);
