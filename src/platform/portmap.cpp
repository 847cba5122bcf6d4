#include "portmap.h"

#include "appsettings.h"

#include <QDateTime>
#include <QFileInfo>

namespace {
const QString kGroup = QStringLiteral("SerialPortMap");
constexpr int kLastPort = 255;
}

QString windowsPortName(int port)
{
    return port >= 10 ? QStringLiteral("\\\\.\\COM%1").arg(port) : QStringLiteral("COM%1").arg(port);
}

QString defaultUnixDevice(int port)
{
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

QMap<int, QString> readPortMap(QSettings &settings)
{
    QMap<int, QString> map;
    settings.beginGroup(kGroup);
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys) {
        if (!key.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const int port = key.mid(3).toInt(&ok);
        const QString device = settings.value(key).toString().trimmed();
        if (ok && port >= 1 && port <= kLastPort && !device.isEmpty())
            map.insert(port, device);
    }
    settings.endGroup();
    return map;
}

void writePortMapEntry(QSettings &settings, int port, const QString &device)
{
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("COM%1").arg(port), device);
    settings.endGroup();
}

std::string deviceNameForPort(int port, const QMap<int, QString> &map)
{
#ifdef Q_OS_WIN
    Q_UNUSED(map);
    return windowsPortName(port).toStdString();
#else
    const auto it = map.constFind(port);
    if (it != map.constEnd())
        return it->toStdString();
    return port >= 1 ? defaultUnixDevice(port).toStdString() : std::string();
#endif
}

std::string SettingsPortMap::operator()(int port)
{
#ifndef Q_OS_WIN
    if (fileName_.isEmpty())
        fileName_ = openApplicationSettings()->fileName();
    const QFileInfo info(fileName_);
    const qint64 stamp = info.exists() ? info.lastModified().toMSecsSinceEpoch() ^ info.size() : 0;
    if (stamp != stamp_) {
        auto settings = openApplicationSettings();
        map_ = readPortMap(*settings);
        stamp_ = stamp;
    }
#endif
    return deviceNameForPort(port, map_);
}
