#include "systemportsearch.h"

#include "portsearch.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include "appsettings.h"
#include "portmap.h"

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

QStringList systemPortSearchLines()
{
#ifdef Q_OS_WIN
    return serialCommLines(readSerialComm());
#else
    auto settings = openApplicationSettings();
    QList<SystemSerialPort> present;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        present.append({info.systemLocation(), info.hasVendorIdentifier()});
    const PortSearchResult result = searchUnixPorts(readPortMap(*settings), present);
    // The numbers shown must reach the devices at the next transaction, so new ones go
    // into the map at once.
    for (auto it = result.newEntries.constBegin(); it != result.newEntries.constEnd(); ++it)
        writePortMapEntry(*settings, it.key(), it.value());
    settings->sync();
    return serialCommLines(result.values);
#endif
}
