#pragma once

// The web view's settings, group "WebView" of the settings store, set by hand and
// never written by the program: Enabled (0/1), Bind (address), Port, Token.

#include <QString>

class QHostAddress;
class SettingsStore;

struct WebViewSettings {
    static constexpr quint16 kDefaultPort = 8080;

    bool enabled = false;
    QString bind = QStringLiteral("127.0.0.1");
    int port = kDefaultPort;
    QString token;

    // Reads the group; a missing group or value keeps its default.
    static WebViewSettings read(SettingsStore &store);

    // Why an enabled view cannot start with these settings, for the operator; empty
    // when it can.
    QString refusal() const;
    QHostAddress address() const;
};
