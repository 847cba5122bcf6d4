#include "webviewsettings.h"

#include "settingsstore.h"

#include <QHostAddress>

WebViewSettings WebViewSettings::read(SettingsStore &store)
{
    WebViewSettings settings;
    if (!store.openKey(QStringLiteral("WebView"), false))
        return settings;
    settings.enabled = store.readInteger(QStringLiteral("Enabled")).value_or(0) == 1;
    settings.bind = store.readString(QStringLiteral("Bind")).value_or(settings.bind).trimmed();
    if (store.valueExists(QStringLiteral("Port")))
        settings.port = store.readInteger(QStringLiteral("Port")).value_or(-1);
    settings.token = store.readString(QStringLiteral("Token")).value_or(QString());
    store.closeKey();
    return settings;
}

QString WebViewSettings::refusal() const
{
    if (token.isEmpty())
        return QStringLiteral("網頁檢視沒有啟動：設定 [WebView] 的 Token 是空的。"
                              "沒有存取權杖，任何人都能看到工廠的資料；請設定 Token 後重新啟動程式。");
    if (address().isNull())
        return QStringLiteral("網頁檢視沒有啟動：設定 [WebView] 的 Bind「%1」不是一個 IP 位址。").arg(bind);
    if (port < 1 || port > 65535)
        return QStringLiteral("網頁檢視沒有啟動：設定 [WebView] 的 Port 必須是 1 到 65535 之間的數字。");
    return QString();
}

QHostAddress WebViewSettings::address() const
{
    return QHostAddress(bind);
}
