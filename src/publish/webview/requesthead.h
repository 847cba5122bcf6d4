#pragma once

// The head of one HTTP request (request line and header fields) as the web view's
// gate reads it before anything else sees the connection. Reading refuses a request
// line or a header block over 8 KiB as soon as the bytes show it, without waiting
// for the rest.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrlQuery>

class RequestHead {
public:
    static constexpr qsizetype kLineLimit = 8 * 1024;   // the request line, without its CRLF
    static constexpr qsizetype kHeaderLimit = 8 * 1024; // all header lines together

    enum class Reading { Incomplete, Complete, RequestLineTooLong, HeadersTooLarge, Malformed };

    // `received`: every byte of the connection so far. On Complete, `head` holds the
    // request and `length` the bytes it took up to and including the blank line.
    static Reading read(QByteArrayView received, RequestHead *head, qsizetype *length = nullptr);

    QByteArray method;
    QByteArray target; // path and query as sent
    QByteArray version;
    QList<QPair<QByteArray, QByteArray>> fields; // names in lower case, values trimmed

    QByteArray field(QByteArrayView lowerCaseName) const; // the first, or empty
    QString path() const;
    QUrlQuery query() const;
    QByteArray cookie(QByteArrayView name) const;
    bool isWebSocketUpgrade() const;
    bool announcesBody() const;
};
