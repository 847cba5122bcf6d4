#pragma once

// The walks between the settings store and the sections the windows declare. Start-up
// puts the stored values into the controls and applies each section; shutdown reads
// the controls back. Keys are walked in the store's own order whatever order the
// sections come in.

#include "settingssection.h"
#include "settingsstore.h"

#include <QString>
#include <QStringList>

#include <vector>

// "FmHome", "FmCommSetting", "FmChartSetting", "FmRecord". A key not listed is walked
// after these, in the order given.
const QStringList &settingsKeyOrder();

// Every value that is present and usable goes into its control; an absent value
// leaves its control as it is. An unusable value (text where a number belongs, a
// number its control refuses, a value that holds no text at all) puts the declared
// initial state into its control and costs nothing else. Every section is applied.
// Returns the one message for the operator: the store's own problem (a damaged file)
// or the list of unusable values; empty when there is nothing to tell.
QString LoadSettings(SettingsStore &store, std::vector<SettingsSection> sections);

// Writes every value saved at shutdown, creating keys and values as needed. A value
// that cannot be written, or a field whose text is not the whole number its value
// needs, ends the save there. Returns the error for the operator, empty when saved.
QString SaveSettings(SettingsStore &store, std::vector<SettingsSection> sections);
