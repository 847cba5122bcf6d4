#include "systemportsearch.h"

#include "portsearch.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include "portmap.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#endif

#ifdef Q_OS_WIN
namespace {
// QSettings takes the backslashes of the value names ("\Device\Serial0") for key
// separators, so the map is read through the registry functions themselves.
QList<SerialCommValue> readSerialComm()
{
    QList<SerialCommValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD nameLength = sizeof name / sizeof name[0];
        wchar_t data[256] = {};
        DWORD dataBytes = sizeof data - sizeof data[0];
        DWORD type = 0;
        const LONG rc = RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE *>(data), &dataBytes);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS || type != REG_SZ)
            continue;
        values.append({QString::fromWCharArray(name, static_cast<int>(nameLength)),
                       QString::fromWCharArray(data), false});
    }
    RegCloseKey(key);
    return values;
}
} // namespace
#endif

#ifndef Q_OS_WIN
namespace {
// device -> its /dev/serial/by-id link, which stays the same when the adapter is
// plugged into another socket.
QMap<QString, QString> byIdLinks()
{
    QMap<QString, QString> links;
    const QDir folder(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo &link : folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        links.insert(link.canonicalFilePath(), link.absoluteFilePath());
    return links;
}
} // namespace
#endif

QStringList systemPortSearchLines(SettingsStore &store)
{
#ifdef Q_OS_WIN
    Q_UNUSED(store);
    return serialCommLines(readSerialComm());
#else
    const QMap<QString, QString> links = byIdLinks();
    QList<SystemSerialPort> present;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        const QString device = info.systemLocation();
        present.append({device, info.hasVendorIdentifier(), links.value(QFileInfo(device).canonicalFilePath())});
    }
    const PortSearchResult result = searchUnixPorts(readPortMap(store), present);
    // The numbers shown must reach the devices at the next transaction, so new ones go
    // into the map at once.
    for (auto it = result.newEntries.constBegin(); it != result.newEntries.constEnd(); ++it)
        writePortMapEntry(store, it.key(), it.value());
    return serialCommLines(result.values);
#endif
}
