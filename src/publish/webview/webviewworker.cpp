#include "webviewworker.h"

#include "connectiongate.h"
#include "plantfeed.h"
#include "plantjson.h"
#include "webviewresponses.h"

#include <QDateTime>
#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

bool started(const PlantView &view)
{
    return view.monitoring;
}

QByteArray resource(const QString &name)
{
    QFile file(QStringLiteral(":/webview/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

WebViewWorker::WebViewWorker(PlantFeed &feed, const WebViewSettings &settings)
    : feed_(feed), settings_(settings), policy_(settings.token.toUtf8())
{
}

WebViewWorker::~WebViewWorker() = default;

QString WebViewWorker::open()
{
    http_ = new QHttpServer(this);
    gate_ = new ConnectionGate(policy_);
    if (!gate_->listen(settings_.address(), quint16(settings_.port))) {
        const QString why = gate_->errorString();
        delete gate_;
        gate_ = nullptr;
        return QStringLiteral("網頁檢視沒有啟動：無法在 %1 連接埠 %2 接聽（%3）。")
            .arg(settings_.bind)
            .arg(settings_.port)
            .arg(why);
    }
    http_->bind(gate_);
    setUpRoutes();

    sockets_ = new QWebSocketServer(QStringLiteral("tempmon"), QWebSocketServer::NonSecureMode, this);
    connect(sockets_, &QWebSocketServer::newConnection, this, &WebViewWorker::acceptClients);
    connect(gate_, &ConnectionGate::upgradePassed, this, &WebViewWorker::takeOver);

    latest_ = feed_.view();
    connect(&feed_, &PlantFeed::viewChanged, this, &WebViewWorker::showView);
    connect(&feed_, &PlantFeed::alarmLinesChanged, this, &WebViewWorker::showAlarmLines);

    trendTimer_ = new QTimer(this);
    connect(trendTimer_, &QTimer::timeout, this, &WebViewWorker::sampleTrend);
    trendTimer_->start(kTrendSampleMs);
    return QString();
}

void WebViewWorker::close()
{
    disconnect(&feed_, nullptr, this, nullptr);
    for (QWebSocket *client : clients_.keys())
        delete client;
    clients_.clear();
    delete sockets_;
    sockets_ = nullptr;
    delete http_; // with the gate and the connections it holds
    http_ = nullptr;
    gate_ = nullptr;
    delete trendTimer_;
    trendTimer_ = nullptr;
}

quint16 WebViewWorker::port() const
{
    return gate_ ? gate_->serverPort() : 0;
}

void WebViewWorker::setUpRoutes()
{
    const auto file = [this](const char *name, const QByteArray &type) {
        return [this, name, type](QHttpServerResponder &&responder) {
            answer(std::move(responder), type, resource(QLatin1String(name)));
        };
    };
    http_->route("/", [this](QHttpServerResponder &&responder) {
        // The token passed the gate; from now on the page's own requests carry it.
        answer(std::move(responder), "text/html; charset=utf-8", resource(QStringLiteral("index.html")),
               {{"Set-Cookie", policy_.cookie()}});
    });
    http_->route("/app.js", file("app.js", "text/javascript; charset=utf-8"));
    http_->route("/style.css", file("style.css", "text/css; charset=utf-8"));
    http_->route("/snapshot", [this](QHttpServerResponder &&responder) {
        const QJsonObject snapshot{{QStringLiteral("view"), plantViewJson(feed_.view(), started(feed_.view()))},
                                   {QStringLiteral("alarms"), alarmLinesJson(feed_.alarmLines())}};
        answer(std::move(responder), "application/json", compact(snapshot));
    });
    http_->route("/trend", [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
        const int panel = request.query().queryItemValue(QStringLiteral("panel")).toInt();
        answer(std::move(responder), "application/json", compact(trend_.panelJson(panel)));
    });
    http_->setMissingHandler([this](const QHttpServerRequest &, QHttpServerResponder &&responder) {
        QTcpSocket *socket = responder.socket();
        socket->write(plainAnswer(404, "Not found.\n"));
        socket->disconnectFromHost();
    });
}

void WebViewWorker::answer(QHttpServerResponder &&responder, const QByteArray &type, const QByteArray &body,
                           const QList<QPair<QByteArray, QByteArray>> &extra)
{
    QTcpSocket *socket = responder.socket();
    responder.writeStatusLine(QHttpServerResponder::StatusCode::Ok);
    for (const auto &[name, value] : securityHeaders())
        responder.writeHeader(name, value);
    responder.writeHeader("Content-Type", type);
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    for (const auto &[name, value] : extra)
        responder.writeHeader(name, value);
    responder.writeBody(body);
    // One request per connection: the next one passes the gate again.
    socket->disconnectFromHost();
}

void WebViewWorker::takeOver(QTcpSocket *socket)
{
    upgrading_.append(socket);
    sockets_->handleConnection(socket);
}

void WebViewWorker::acceptClients()
{
    while (sockets_->hasPendingConnections()) {
        QWebSocket *client = sockets_->nextPendingConnection();
        client->setParent(this);
        // The page never speaks; anything large it sends is refused by the socket.
        client->setMaxAllowedIncomingFrameSize(1024);
        client->setMaxAllowedIncomingMessageSize(1024);
        clients_.insert(client, upgradedSocket(client));
        connect(client, &QWebSocket::disconnected, this, [this, client] {
            clients_.remove(client);
            client->deleteLater();
        });
        client->sendTextMessage(QString::fromUtf8(viewMessage(feed_.view())));
        client->sendTextMessage(QString::fromUtf8(alarmsMessage(feed_.alarmLines())));
    }
}

QPointer<QTcpSocket> WebViewWorker::upgradedSocket(const QWebSocket *client)
{
    // The client's connection, found by its peer among those handed to the upgrade.
    QPointer<QTcpSocket> found;
    for (auto socket = upgrading_.begin(); socket != upgrading_.end();) {
        if (!*socket) {
            socket = upgrading_.erase(socket);
        } else if ((*socket)->peerPort() == client->peerPort() && (*socket)->peerAddress() == client->peerAddress()) {
            found = *socket;
            socket = upgrading_.erase(socket);
        } else {
            ++socket;
        }
    }
    return found;
}

void WebViewWorker::showView(const PlantView &view)
{
    latest_ = view;
    if (!clients_.isEmpty())
        broadcast(viewMessage(view));
}

void WebViewWorker::showAlarmLines(const QStringList &lines)
{
    if (!clients_.isEmpty())
        broadcast(alarmsMessage(lines));
}

void WebViewWorker::broadcast(const QByteArray &message)
{
    const QString text = QString::fromUtf8(message);
    for (auto client = clients_.begin(); client != clients_.end();) {
        const QPointer<QTcpSocket> &tcp = client.value();
        if (tcp && tcp->bytesToWrite() > kBacklogLimit) {
            QWebSocket *dropped = client.key();
            client = clients_.erase(client);
            dropped->abort();
            dropped->deleteLater();
            continue;
        }
        client.key()->sendTextMessage(text);
        ++client;
    }
}

void WebViewWorker::sampleTrend()
{
    if (started(latest_))
        trend_.add(QDateTime::currentMSecsSinceEpoch(), latest_);
}

QByteArray WebViewWorker::viewMessage(const PlantView &view) const
{
    QJsonObject message = plantViewJson(view, started(view));
    message.insert(QStringLiteral("type"), QStringLiteral("view"));
    message.insert(QStringLiteral("time"), QDateTime::currentMSecsSinceEpoch());
    return compact(message);
}

QByteArray WebViewWorker::alarmsMessage(const QStringList &lines) const
{
    return compact({{QStringLiteral("type"), QStringLiteral("alarms")}, {QStringLiteral("lines"), alarmLinesJson(lines)}});
}
