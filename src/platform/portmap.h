#pragma once

// Port numbers to device names. Windows knows "COMn" itself; elsewhere the group
// "SerialPortMap" of the settings maps "COMn" to a device path, and a number
// without an entry falls back to /dev/ttyS<n-1>.

#include <QMap>
#include <QSettings>
#include <QString>

#include <string>

QString windowsPortName(int port);      // "COM9", "\\.\COM10"
QString defaultUnixDevice(int port);    // "/dev/ttyS0" for port 1

// The current map, read from `settings` (group SerialPortMap, keys COM1..COM255).
QMap<int, QString> readPortMap(QSettings &settings);
void writePortMapEntry(QSettings &settings, int port, const QString &device);

// Resolves a port number to the device to open on this platform.
std::string deviceNameForPort(int port, const QMap<int, QString> &map);

// Resolver for the link. It keeps the map of the settings file and reads it again
// only when the file has changed, so an edited map takes effect at the next
// transaction without a file read per transaction.
class SettingsPortMap {
public:
    std::string operator()(int port);

private:
    QMap<int, QString> map_;
    QString fileName_;
    qint64 stamp_ = -1;
};
