#pragma once

// The lines of the port search, built from what the system reports, so that the
// rules can be checked without the system's ports.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One value of the Windows serial port map: its name (the device path) and its data
// (the port name the system assigned, "COM3").
struct SerialCommValue {
    QString name;
    QString portName;
    bool usb = false; // known to be USB by other means than its path
};

// One line per value whose port number (after "COM") lies from 1 to 255, in the given
// order: "COM3 \Device\Serial0"; a USB virtual port ("VCP" at positions 9 to 11 of the
// device path, or `usb`) gets "====>" + port name + " ComPort USB Port " after the path.
QStringList serialCommLines(const QList<SerialCommValue> &values);

// A serial device the system lists elsewhere (QSerialPortInfo).
struct SystemSerialPort {
    QString device; // "/dev/ttyUSB0"
    bool usb = false;
    QString byId;   // "/dev/serial/by-id/usb-...", empty when the system has none
};

struct PortSearchResult {
    QList<SerialCommValue> values;   // in port number order, for serialCommLines
    QMap<int, QString> newEntries;   // numbers given to devices that had none
};

// Off Windows a port number reaches a device through the port map (number -> device)
// or, without an entry, /dev/ttyS<n-1>. Lists every number that means a device: the
// map's entries and the fallback numbers of present /dev/ttyS devices. A number's
// meaning is never changed: only a USB adapter that no number reaches gets one, the
// lowest that is neither mapped nor the fallback of a present device, entered with its
// /dev/serial/by-id path where it has one, so the number follows the adapter.
PortSearchResult searchUnixPorts(const QMap<int, QString> &map, const QList<SystemSerialPort> &present);
