#include "chromiumpage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>

namespace {

bool waitForSignal(QSignalSpy &spy, QDeadlineTimer deadline)
{
    while (spy.isEmpty()) {
        if (deadline.hasExpired())
            return false;
        spy.wait(int(std::max<qint64>(1, std::min<qint64>(deadline.remainingTime(), 200))));
    }
    return true;
}

} // namespace

QStringList ChromiumPage::baseArguments(const QString &profile)
{
    return {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
            QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
            QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
            QStringLiteral("--disable-sync"), QStringLiteral("--user-data-dir=") + profile,
            QStringLiteral("--window-size=1280,1500")};
}

ChromiumPage::ChromiumPage() = default;

ChromiumPage::~ChromiumPage()
{
    if (devtools_.state() == QAbstractSocket::ConnectedState)
        call(QStringLiteral("Browser.close"), {}, 3000);
    devtools_.abort();
    if (browser_.state() != QProcess::NotRunning && !browser_.waitForFinished(5000)) {
        browser_.kill();
        browser_.waitForFinished(5000);
    }
}

bool ChromiumPage::open(const QUrl &url, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    browser_.setProgram(browserPath());
    browser_.setArguments(baseArguments(profile_.path())
                          << QStringLiteral("--remote-debugging-port=0") << url.toString());
    browser_.setStandardOutputFile(QProcess::nullDevice());
    browser_.setStandardErrorFile(QProcess::nullDevice());
    browser_.start();
    if (!browser_.waitForStarted(10000)) {
        error_ = QStringLiteral("chromium did not start: ") + browser_.errorString();
        return false;
    }
    // The browser writes the port it chose, then the browser's own endpoint.
    QFile portFile(profile_.filePath(QStringLiteral("DevToolsActivePort")));
    QByteArray port;
    while (port.isEmpty()) {
        if (deadline.hasExpired() || browser_.state() == QProcess::NotRunning) {
            error_ = QStringLiteral("chromium wrote no DevTools port");
            return false;
        }
        if (portFile.open(QIODevice::ReadOnly)) {
            port = portFile.readLine().trimmed();
            portFile.close();
        }
        if (port.isEmpty())
            browser_.waitForFinished(100); // ends early only if the browser does
    }

    // The page's own endpoint, from the list of targets.
    QNetworkAccessManager network;
    QString pageEndpoint;
    while (pageEndpoint.isEmpty() && !deadline.hasExpired()) {
        QNetworkReply *reply = network.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/json/list").arg(QString::fromLatin1(port)))));
        QSignalSpy finished(reply, &QNetworkReply::finished);
        waitForSignal(finished, deadline);
        for (const QJsonValue &target : QJsonDocument::fromJson(reply->readAll()).array())
            if (target[QStringLiteral("type")].toString() == QLatin1String("page"))
                pageEndpoint = target[QStringLiteral("webSocketDebuggerUrl")].toString();
        reply->deleteLater();
    }
    if (pageEndpoint.isEmpty()) {
        error_ = QStringLiteral("chromium listed no page");
        return false;
    }
    QSignalSpy connected(&devtools_, &QWebSocket::connected);
    devtools_.open(QUrl(pageEndpoint));
    if (!waitForSignal(connected, deadline)) {
        error_ = QStringLiteral("DevTools connection failed: ") + devtools_.errorString();
        return false;
    }
    return true;
}

QJsonObject ChromiumPage::call(const QString &method, const QJsonObject &params, int timeoutMs)
{
    const int id = nextId_++;
    QJsonObject answer;
    bool answered = false;
    const auto connection = QObject::connect(&devtools_, &QWebSocket::textMessageReceived, [&](const QString &text) {
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        if (message[QStringLiteral("id")].toInt() == id) {
            answer = message;
            answered = true;
        }
    });
    devtools_.sendTextMessage(QString::fromUtf8(QJsonDocument(QJsonObject{
        {QStringLiteral("id"), id}, {QStringLiteral("method"), method}, {QStringLiteral("params"), params}})
                                                    .toJson(QJsonDocument::Compact)));
    const QDeadlineTimer deadline(timeoutMs);
    while (!answered && !deadline.hasExpired() && devtools_.state() == QAbstractSocket::ConnectedState)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QObject::disconnect(connection);
    return answer;
}

QJsonValue ChromiumPage::evaluate(const QString &expression, int timeoutMs)
{
    const QJsonObject answer = call(QStringLiteral("Runtime.evaluate"),
                                    {{QStringLiteral("expression"), expression},
                                     {QStringLiteral("returnByValue"), true},
                                     {QStringLiteral("awaitPromise"), true}},
                                    timeoutMs);
    return answer[QStringLiteral("result")][QStringLiteral("result")][QStringLiteral("value")];
}

QJsonValue ChromiumPage::waitFor(const QString &expression, const std::function<bool(const QJsonValue &)> &accept,
                                 int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QJsonValue value;
    do {
        value = evaluate(expression, int(std::max<qint64>(500, deadline.remainingTime())));
        if (accept(value))
            return value;
        // Let the program's own timers and the page's pushes run between looks.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    } while (!deadline.hasExpired());
    return value;
}

bool ChromiumPage::screenshot(const QString &path)
{
    const QJsonObject answer = call(QStringLiteral("Page.captureScreenshot"),
                                    {{QStringLiteral("format"), QStringLiteral("png")},
                                     {QStringLiteral("captureBeyondViewport"), true}},
                                    15000);
    const QByteArray png = QByteArray::fromBase64(answer[QStringLiteral("result")][QStringLiteral("data")].toString().toLatin1());
    QFile file(path);
    return !png.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(png) == png.size();
}

QString ChromiumPage::dumpDom(const QUrl &url, int timeoutMs)
{
    QTemporaryDir profile;
    QProcess browser;
    browser.setStandardErrorFile(QProcess::nullDevice());
    browser.start(browserPath(), baseArguments(profile.path()) << QStringLiteral("--dump-dom") << url.toString());
    if (!browser.waitForFinished(timeoutMs)) {
        browser.kill();
        browser.waitForFinished(5000);
        return QString();
    }
    return QString::fromUtf8(browser.readAllStandardOutput());
}
