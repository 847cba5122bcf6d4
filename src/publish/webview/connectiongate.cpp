#include "connectiongate.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

const char *const kHeadTimerName = "tempmon-head-timer";

} // namespace

ConnectionGate::ConnectionGate(const AccessPolicy &policy, QObject *parent) : QTcpServer(parent), policy_(policy)
{
}

void ConnectionGate::incomingConnection(qintptr descriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (open_.size() >= kConnectionLimit) {
        // Answered and closed without a place of its own; the open ones go on.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(plainAnswer(503, "Too many connections.\n"));
        socket->disconnectFromHost();
        return;
    }
    open_.insert(socket);
    // Counted until the connection ends, whoever holds the socket by then.
    const auto forget = [this, socket] { open_.remove(socket); };
    connect(socket, &QTcpSocket::disconnected, this, forget);
    connect(socket, &QObject::destroyed, this, forget);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readHead(socket); });

    auto *timer = new QTimer(socket);
    timer->setObjectName(QLatin1String(kHeadTimerName));
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, socket] { refuse(socket, 408, "The request took too long.\n"); });
    timer->start(kHeadTimeoutMs);
}

void ConnectionGate::readHead(QTcpSocket *socket)
{
    const QByteArray received = socket->peek(socket->bytesAvailable());
    RequestHead head;
    switch (RequestHead::read(received, &head)) {
    case RequestHead::Reading::Incomplete:
        return;
    case RequestHead::Reading::RequestLineTooLong:
        return refuse(socket, 414, "The request line is longer than 8 KiB.\n");
    case RequestHead::Reading::HeadersTooLarge:
        return refuse(socket, 431, "The request header is larger than 8 KiB.\n");
    case RequestHead::Reading::Malformed:
        return refuse(socket, 400, "The request is not a valid HTTP/1.1 request.\n");
    case RequestHead::Reading::Complete:
        break;
    }

    const AccessPolicy::Verdict verdict = policy_.judge(head);
    switch (verdict.status) {
    case 0:
        break;
    case 401:
        return refuse(socket, 401,
                      QStringLiteral("需要存取權杖：請以網址 /?token=... 開啟這個網頁。\n").toUtf8(),
                      {{"WWW-Authenticate", "Token realm=\"tempmon\""}});
    case 405:
        return refuse(socket, 405, "The web view only shows; it takes GET requests only.\n", {{"Allow", "GET"}});
    default:
        return refuse(socket, verdict.status, reasonPhrase(verdict.status) + '\n');
    }

    // From here on the socket belongs to the receiver; the count still follows it.
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    delete socket->findChild<QTimer *>(QLatin1String(kHeadTimerName));
    if (head.isWebSocketUpgrade() && head.path() == QLatin1String("/live")) {
        // The WebSocket owns its connection and ends it itself.
        disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        emit upgradePassed(socket);
    } else {
        addPendingConnection(socket);
        emit newConnection();
    }
    // The head is still in the socket's buffer; its arrival was announced to the gate
    // alone, so the new reader is told again.
    if (socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(socket, &QTcpSocket::readyRead, Qt::QueuedConnection);
}

void ConnectionGate::refuse(QTcpSocket *socket, int status, const QByteArray &body, const HeaderFields &extra)
{
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    delete socket->findChild<QTimer *>(QLatin1String(kHeadTimerName));
    // Unread input at close would make the system reset the connection and the
    // client might never see the answer.
    socket->readAll();
    socket->write(plainAnswer(status, body, extra));
    socket->disconnectFromHost();
}
