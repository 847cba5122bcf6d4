#include "portsearch.h"

#include <QRegularExpression>

namespace {
constexpr int kFirstPort = 1;
constexpr int kLastPort = 255;

QString portName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

// The number /dev/ttyS<k> answers to without a map entry, or 0.
int fallbackNumber(const QString &device)
{
    static const QRegularExpression ttyS(QStringLiteral("^/dev/ttyS(\\d+)$"));
    const QRegularExpressionMatch match = ttyS.match(device);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const int k = match.captured(1).toInt(&ok);
    return ok && k + 1 <= kLastPort ? k + 1 : 0;
}
} // namespace

QStringList serialCommLines(const QList<SerialCommValue> &values)
{
    QStringList lines;
    for (const SerialCommValue &value : values) {
        bool ok = false;
        const int number = value.portName.mid(3).toInt(&ok);
        if (!ok || number < kFirstPort || number > kLastPort)
            continue;
        QString label = value.name;
        if (value.usb || value.name.mid(8, 3) == QLatin1String("VCP"))
            label = value.name + QStringLiteral("====>") + value.portName + QStringLiteral(" ComPort USB Port ");
        lines.append(value.portName + QLatin1Char(' ') + label);
    }
    return lines;
}

PortSearchResult searchUnixPorts(const QMap<int, QString> &map, const QList<SystemSerialPort> &present)
{
    QMap<int, QString> meaning; // number -> device, for the listing
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        if (it.key() >= kFirstPort && it.key() <= kLastPort)
            meaning.insert(it.key(), it.value());
    }
    // A number without an entry still means its /dev/ttyS device while that exists.
    for (const SystemSerialPort &port : present) {
        const int n = fallbackNumber(port.device);
        if (n > 0 && !meaning.contains(n))
            meaning.insert(n, port.device);
    }

    const auto reached = [&meaning](const SystemSerialPort &port) {
        for (const QString &device : meaning) {
            if (device == port.device || (!port.byId.isEmpty() && device == port.byId))
                return true;
        }
        return false;
    };

    PortSearchResult result;
    int next = kFirstPort;
    for (const SystemSerialPort &port : present) {
        if (!port.usb || reached(port))
            continue;
        while (next <= kLastPort && meaning.contains(next))
            ++next;
        if (next > kLastPort)
            break; // every number in use: the rest cannot be reached by number
        const QString device = port.byId.isEmpty() ? port.device : port.byId;
        meaning.insert(next, device);
        result.newEntries.insert(next, device);
    }

    QMap<QString, bool> usbOf;
    for (const SystemSerialPort &port : present) {
        usbOf.insert(port.device, port.usb);
        if (!port.byId.isEmpty())
            usbOf.insert(port.byId, port.usb);
    }
    for (auto it = meaning.constBegin(); it != meaning.constEnd(); ++it)
        result.values.append({it.value(), portName(it.key()), usbOf.value(it.value(), false)});
    return result;
}
