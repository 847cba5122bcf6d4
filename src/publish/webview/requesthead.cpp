#include "requesthead.h"

#include <QUrl>

namespace {

// A line without its ending: "\r\n", or a bare "\n" as some clients send.
QByteArrayView lineBody(QByteArrayView line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

bool isToken(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
        if (!ok)
            return false;
    }
    return true;
}

bool parseRequestLine(QByteArrayView line, RequestHead *head)
{
    const QList<QByteArray> parts = line.toByteArray().split(' ');
    if (parts.size() != 3 || !isToken(parts[0]) || parts[1].isEmpty()
        || !(parts[2] == "HTTP/1.1" || parts[2] == "HTTP/1.0"))
        return false;
    head->method = parts[0];
    head->target = parts[1];
    head->version = parts[2];
    return true;
}

bool parseField(QByteArrayView line, RequestHead *head)
{
    const qsizetype colon = line.indexOf(':');
    // A folded continuation line or a name with blanks is refused rather than guessed.
    if (colon <= 0 || !isToken(line.first(colon)))
        return false;
    head->fields.append({line.first(colon).toByteArray().toLower(), line.sliced(colon + 1).trimmed().toByteArray()});
    return true;
}

} // namespace

RequestHead::Reading RequestHead::read(QByteArrayView received, RequestHead *head, qsizetype *length)
{
    const qsizetype firstEnd = received.indexOf('\n');
    if (firstEnd < 0)
        return received.size() > kLineLimit + 1 ? Reading::RequestLineTooLong : Reading::Incomplete;
    const QByteArrayView requestLine = lineBody(received.first(firstEnd));
    if (requestLine.size() > kLineLimit)
        return Reading::RequestLineTooLong;

    RequestHead parsed;
    if (!parseRequestLine(requestLine, &parsed))
        return Reading::Malformed;

    qsizetype start = firstEnd + 1;
    for (;;) {
        const qsizetype end = received.indexOf('\n', start);
        if (end < 0)
            return received.size() - (firstEnd + 1) > kHeaderLimit ? Reading::HeadersTooLarge : Reading::Incomplete;
        if (end + 1 - (firstEnd + 1) > kHeaderLimit)
            return Reading::HeadersTooLarge;
        const QByteArrayView line = lineBody(received.sliced(start, end - start));
        start = end + 1;
        if (line.isEmpty())
            break;
        if (!parseField(line, &parsed))
            return Reading::Malformed;
    }
    if (head)
        *head = parsed;
    if (length)
        *length = start;
    return Reading::Complete;
}

QByteArray RequestHead::field(QByteArrayView lowerCaseName) const
{
    for (const auto &[name, value] : fields)
        if (name == lowerCaseName)
            return value;
    return {};
}

QString RequestHead::path() const
{
    const qsizetype mark = target.indexOf('?');
    return QUrl::fromPercentEncoding(mark < 0 ? target : target.left(mark));
}

QUrlQuery RequestHead::query() const
{
    const qsizetype mark = target.indexOf('?');
    return mark < 0 ? QUrlQuery() : QUrlQuery(QString::fromLatin1(target.mid(mark + 1)));
}

QByteArray RequestHead::cookie(QByteArrayView name) const
{
    for (const auto &[fieldName, value] : fields) {
        if (fieldName != "cookie")
            continue;
        for (const QByteArray &pair : value.split(';')) {
            const QByteArray item = pair.trimmed();
            const qsizetype equals = item.indexOf('=');
            if (equals > 0 && QByteArrayView(item).first(equals) == name)
                return item.mid(equals + 1);
        }
    }
    return {};
}

bool RequestHead::isWebSocketUpgrade() const
{
    return field("upgrade").toLower() == "websocket"
        && field("connection").toLower().contains("upgrade");
}

bool RequestHead::announcesBody() const
{
    const QByteArray contentLength = field("content-length");
    return !field("transfer-encoding").isEmpty() || (!contentLength.isEmpty() && contentLength != "0");
}
