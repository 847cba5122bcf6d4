#include "portmap.h"

namespace {
const QString kKey = QStringLiteral("SerialPortMap");
constexpr int kLastPort = 256; // as far as a typed port goes
} // namespace

QString windowsPortName(int port)
{
    return port >= 10 ? QStringLiteral("\\\\.\\COM%1").arg(port) : QStringLiteral("COM%1").arg(port);
}

QString defaultUnixDevice(int port)
{
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

QMap<int, QString> readPortMap(SettingsStore &store)
{
    QMap<int, QString> map;
    if (!store.openKey(kKey, false))
        return map;
    for (const QString &name : store.valueNames()) {
        if (!name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const int port = name.mid(3).toInt(&ok);
        const QString device = store.readString(name).value_or(QString()).trimmed();
        if (ok && port >= 1 && port <= kLastPort && !device.isEmpty())
            map.insert(port, device);
    }
    store.closeKey();
    return map;
}

bool writePortMapEntry(SettingsStore &store, int port, const QString &device)
{
    if (!store.openKey(kKey, true))
        return false;
    const bool written = store.writeString(QStringLiteral("COM%1").arg(port), device) && store.flush();
    store.closeKey();
    return written;
}

std::string deviceNameForPort(int port, const QMap<int, QString> &map)
{
    if (port < 1)
        return std::string();
#ifdef Q_OS_WIN
    Q_UNUSED(map);
    return windowsPortName(port).toStdString();
#else
    const auto it = map.constFind(port);
    if (it != map.constEnd())
        return it->toStdString();
    return defaultUnixDevice(port).toStdString();
#endif
}
