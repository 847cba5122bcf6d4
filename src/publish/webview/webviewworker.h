#pragma once

// Everything of the web view that runs on its thread: the gate, the HTTP answers, the
// WebSocket clients and the trend history. It learns of the plant only through the
// feed's signals (queued to this thread) and the feed's thread-safe copies.

#include "accesspolicy.h"
#include "plantview.h"
#include "trendhistory.h"
#include "webviewsettings.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class ConnectionGate;
class PlantFeed;
class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QTcpSocket;
class QTimer;
class QWebSocket;
class QWebSocketServer;

class WebViewWorker : public QObject {
    Q_OBJECT
public:
    // A client whose unsent pushes pile up beyond this is dropped rather than let
    // the program's memory grow for a stalled peer.
    static constexpr qint64 kBacklogLimit = 4 * 1024 * 1024;
    static constexpr int kTrendSampleMs = 1000;

    WebViewWorker(PlantFeed &feed, const WebViewSettings &settings);
    ~WebViewWorker() override;

    // On the view's thread: opens the port. Empty on success, else why not.
    Q_INVOKABLE QString open();
    Q_INVOKABLE void close();
    Q_INVOKABLE quint16 port() const;
    Q_INVOKABLE int clientCount() const { return int(clients_.size()); }

private:
    void showView(const PlantView &view);
    void showAlarmLines(const QStringList &lines);
    void takeOver(QTcpSocket *socket);
    void acceptClients();
    QPointer<QTcpSocket> upgradedSocket(const QWebSocket *client);
    void broadcast(const QByteArray &message);
    void sampleTrend();
    void setUpRoutes();
    void answer(QHttpServerResponder &&responder, const QByteArray &type, const QByteArray &body,
                const QList<QPair<QByteArray, QByteArray>> &extra = {});
    QByteArray viewMessage(const PlantView &view) const;
    QByteArray alarmsMessage(const QStringList &lines) const;

    PlantFeed &feed_;
    const WebViewSettings settings_;
    const AccessPolicy policy_;
    QHttpServer *http_ = nullptr;
    ConnectionGate *gate_ = nullptr;
    QWebSocketServer *sockets_ = nullptr;
    QTimer *trendTimer_ = nullptr;
    QHash<QWebSocket *, QPointer<QTcpSocket>> clients_;
    QList<QPointer<QTcpSocket>> upgrading_;
    PlantView latest_;
    TrendHistory trend_;
};
