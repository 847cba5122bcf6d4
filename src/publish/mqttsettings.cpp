#include "mqttsettings.h"

#include "settingsstore.h"

namespace {

QString textOr(const SettingsStore &store, const QString &name, const QString &fallback)
{
    const std::optional<QString> value = store.readString(name);
    return value && !value->trimmed().isEmpty() ? value->trimmed() : fallback;
}

// A switch is on for "1" only; anything else an installer typed leaves it off.
bool switchOn(const SettingsStore &store, const QString &name)
{
    return store.readInteger(name).value_or(0) == 1;
}

} // namespace

MqttSettings readMqttSettings(SettingsStore &store, const QString &hostName)
{
    MqttSettings settings;
    const QString host = hostName.trimmed().isEmpty() ? QStringLiteral("localhost") : hostName.trimmed();
    settings.topic = QStringLiteral("tempmon/") + host;
    settings.clientId = QStringLiteral("tempmon-") + host;
    if (!store.openKey(QStringLiteral("Mqtt"), false))
        return settings;

    settings.enabled = switchOn(store, QStringLiteral("Enabled"));
    settings.host = textOr(store, QStringLiteral("Host"), settings.host);
    settings.topic = textOr(store, QStringLiteral("Topic"), settings.topic);
    settings.clientId = textOr(store, QStringLiteral("ClientId"), settings.clientId);
    settings.username = store.readString(QStringLiteral("Username")).value_or(QString());
    settings.password = store.readString(QStringLiteral("Password")).value_or(QString());
    settings.tls = switchOn(store, QStringLiteral("Tls"));
    settings.caFile = textOr(store, QStringLiteral("CaFile"), QString());
    if (store.valueExists(QStringLiteral("Port"))) {
        const std::optional<int> port = store.readInteger(QStringLiteral("Port"));
        if (port && *port >= 1 && *port <= 65535)
            settings.port = *port;
        else
            settings.problem = QStringLiteral("Port 設定錯誤");
    }
    store.closeKey();

    while (settings.topic.endsWith(QLatin1Char('/')))
        settings.topic.chop(1);
    // A wildcard in the prefix would make every topic unpublishable.
    if (settings.topic.isEmpty() || settings.topic.contains(QLatin1Char('+'))
        || settings.topic.contains(QLatin1Char('#')))
        settings.problem = QStringLiteral("Topic 設定錯誤");
    if (settings.tls && settings.caFile.isEmpty())
        settings.problem = QStringLiteral("Tls 需要 CaFile");
    return settings;
}
