#include "accesspolicy.h"

#include "requesthead.h"

#include <QUrl>

AccessPolicy::AccessPolicy(const QByteArray &token)
    : token_(token), cookieValue_(QUrl::toPercentEncoding(QString::fromUtf8(token)))
{
}

AccessPolicy::Verdict AccessPolicy::judge(const RequestHead &head) const
{
    Verdict verdict;
    // Nothing here changes the plant, so nothing but reading is offered.
    if (head.method != "GET")
        return {405, false};
    if (head.announcesBody())
        return {400, false};

    const QByteArray fromQuery =
        head.query().queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded).toUtf8();
    const QByteArray fromCookie = QUrl::fromPercentEncoding(head.cookie(kCookieName)).toUtf8();
    verdict.tokenInQuery = token_.matches(fromQuery);
    if (!verdict.tokenInQuery && !token_.matches(fromCookie))
        return {401, false};

    // A browser sends the page's origin with a WebSocket; another site's page may not
    // open the live feed with the cookie of this one.
    if (head.isWebSocketUpgrade()) {
        const QByteArray origin = head.field("origin");
        if (!origin.isEmpty() && origin != "http://" + head.field("host"))
            return {403, false};
    }
    return verdict;
}

QByteArray AccessPolicy::cookie() const
{
    return QByteArray(kCookieName) + '=' + cookieValue_ + "; Path=/; HttpOnly; SameSite=Strict";
}
