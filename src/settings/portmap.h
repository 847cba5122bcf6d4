#pragma once

// Port numbers to device names. Windows knows "COMn" itself; elsewhere the key
// "SerialPortMap" of the settings store maps "COMn" to a device path, and a number
// without an entry falls back to /dev/ttyS<n-1>. The map is read on the window
// thread; the engine receives the resolved device with each panel's line settings.

#include "settingsstore.h"

#include <QMap>
#include <QString>

#include <string>

QString windowsPortName(int port);      // "COM9", "\\.\COM10"
QString defaultUnixDevice(int port);    // "/dev/ttyS0" for port 1

// The current map (values COM1..COM255 of the key SerialPortMap); empty when absent.
QMap<int, QString> readPortMap(SettingsStore &store);
// False when the entry could not be stored.
bool writePortMapEntry(SettingsStore &store, int port, const QString &device);

// The device to open for a port number on this platform; empty for port 0.
std::string deviceNameForPort(int port, const QMap<int, QString> &map);
