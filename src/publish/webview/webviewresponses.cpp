#include "webviewresponses.h"

HeaderFields securityHeaders()
{
    return {
        {"Content-Security-Policy",
         "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; connect-src 'self'; "
         "base-uri 'none'; form-action 'none'; frame-ancestors 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"Cache-Control", "no-store"},
        {"Referrer-Policy", "no-referrer"},
        {"X-Frame-Options", "DENY"},
        {"Connection", "close"},
    };
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 414: return "URI Too Long";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

QByteArray plainAnswer(int status, const QByteArray &body, const HeaderFields &extra)
{
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    HeaderFields fields = securityHeaders();
    fields.append(qMakePair(QByteArray("Content-Type"), QByteArray("text/plain; charset=utf-8")));
    fields.append(qMakePair(QByteArray("Content-Length"), QByteArray::number(body.size())));
    fields.append(extra);
    for (const auto &[name, value] : fields)
        answer += name + ": " + value + "\r\n";
    return answer + "\r\n" + body;
}
