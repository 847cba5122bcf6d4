#pragma once

// What the outward views (web page, MQTT) show of the plant: exactly the texts the
// windows show, taken on the window thread once per display tick, and the alarms as
// the alarm list shows them. Plain values, copied across threads.

#include "alarmtypes.h"
#include "panels.h"
#include "readingssnapshot.h"

#include <QDateTime>
#include <QString>

#include <array>

struct PlantView {
    QString windowTitle; // the main window's caption
    bool monitoring = false; // the operator has started monitoring: the readings are live
    // The tiles' titles, [panel][slot], index 0 unused.
    std::array<std::array<QString, kSlotCount + 1>, kPanelCount + 1> tileTitles;
    std::array<ReadingsSnapshot, kPanelCount + 1> panels; // index 0 unused
};
