#pragma once

// The web view's listening socket and the first reader of every connection. It holds
// at most 64 connections open at once and answers any further one at once; it reads
// each request head under its size limits and judges it by the access policy before
// anything else sees the connection. A head that passes is handed on with all its
// bytes still unread in the socket: to the HTTP server bound to the gate, or for a
// WebSocket upgrade of the live feed, to whoever takes upgrades.

#include "accesspolicy.h"
#include "requesthead.h"
#include "webviewresponses.h"

#include <QSet>
#include <QTcpServer>

class QTcpSocket;

class ConnectionGate : public QTcpServer {
    Q_OBJECT
public:
    static constexpr int kConnectionLimit = 64;
    // A client that has not finished its request head by then is let go, so that
    // idle connections cannot hold every place.
    static constexpr int kHeadTimeoutMs = 10000;

    ConnectionGate(const AccessPolicy &policy, QObject *parent = nullptr);

    int openConnections() const { return int(open_.size()); }

signals:
    // A WebSocket upgrade to the live feed that passed the policy; the receiver takes
    // the socket over. Plain requests that pass become the gate's pending connections
    // for the HTTP server bound to it.
    void upgradePassed(QTcpSocket *socket);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void readHead(QTcpSocket *socket);
    void refuse(QTcpSocket *socket, int status, const QByteArray &body, const HeaderFields &extra = {});

    const AccessPolicy &policy_;
    QSet<QTcpSocket *> open_;
};
