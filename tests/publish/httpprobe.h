#pragma once

// A plain HTTP client for the web view's tests: one request per connection, the raw
// answer read until the server closes, so that every byte it sends is seen.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QPair>
#include <QTcpServer>
#include <QTcpSocket>

struct HttpAnswer {
    int status = 0; // 0: no answer
    QList<QPair<QByteArray, QByteArray>> fields;
    QByteArray body;

    QByteArray field(const QByteArray &name) const
    {
        for (const auto &[fieldName, value] : fields)
            if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
                return value;
        return {};
    }
};

inline HttpAnswer parseAnswer(const QByteArray &raw)
{
    HttpAnswer answer;
    const qsizetype headEnd = raw.indexOf("\r\n\r\n");
    if (!raw.startsWith("HTTP/1.1 ") || headEnd < 0)
        return answer;
    const QList<QByteArray> lines = raw.left(headEnd).split('\n');
    answer.status = lines.first().mid(9, 3).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        answer.fields.append({line.left(colon), line.mid(colon + 1).trimmed()});
    }
    answer.body = raw.mid(headEnd + 4);
    return answer;
}

// Sends `request` as it is and reads until the server closes or the deadline passes.
inline HttpAnswer exchange(quint16 port, const QByteArray &request, int timeoutMs = 5000)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(timeoutMs))
        return {};
    socket.write(request);
    QByteArray raw;
    QDeadlineTimer deadline(timeoutMs);
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        if (socket.waitForReadyRead(int(deadline.remainingTime())))
            raw += socket.readAll();
    }
    raw += socket.readAll();
    return parseAnswer(raw);
}

inline QByteArray getRequest(const QByteArray &target, const QByteArray &fields = {})
{
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + fields + "\r\n";
}

// A loopback port nobody listens on at the moment of asking.
inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
