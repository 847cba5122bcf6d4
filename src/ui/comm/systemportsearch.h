#pragma once

// The port search as this machine answers it: on Windows the system's serial port map;
// elsewhere the settings' SerialPortMap together with the devices the system reports,
// where a device without a number is given the next free one in the map.

#include <QStringList>

class SettingsStore;

QStringList systemPortSearchLines(SettingsStore &store);
