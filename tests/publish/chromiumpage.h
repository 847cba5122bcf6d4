#pragma once

// A page in headless Chromium, driven over the DevTools protocol: open a URL in a
// fresh profile, evaluate script in the page, take a screenshot. The browser is
// ended by its PID when the page goes.

#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebSocket>

#include <functional>

class ChromiumPage {
public:
    static QString browserPath() { return QStringLiteral("/usr/bin/chromium"); }
    static QStringList baseArguments(const QString &profile);

    ChromiumPage();
    ~ChromiumPage();
    ChromiumPage(const ChromiumPage &) = delete;
    ChromiumPage &operator=(const ChromiumPage &) = delete;

    bool open(const QUrl &url, int timeoutMs = 30000);
    QString error() const { return error_; }

    // The expression's value (awaited when it is a promise); undefined on failure.
    QJsonValue evaluate(const QString &expression, int timeoutMs = 5000);
    // Evaluates until `accept` takes the value or the deadline passes; the last value.
    QJsonValue waitFor(const QString &expression, const std::function<bool(const QJsonValue &)> &accept,
                       int timeoutMs);
    bool screenshot(const QString &path);

    // The DOM of `url` after loading, by a browser of its own in a fresh profile.
    static QString dumpDom(const QUrl &url, int timeoutMs = 30000);

private:
    QJsonObject call(const QString &method, const QJsonObject &params, int timeoutMs);

    QTemporaryDir profile_;
    QProcess browser_;
    QWebSocket devtools_;
    int nextId_ = 1;
    QString error_;
};
