#pragma once

// Who may read the web view, and how: GET only (a WebSocket upgrade is a GET too),
// the token in the query of the first page load or in the cookie set by it, and a
// WebSocket only from a page of the view itself.

#include "accesstoken.h"

#include <QByteArray>

class RequestHead;

class AccessPolicy {
public:
    static constexpr const char *kCookieName = "tempmon_token";

    explicit AccessPolicy(const QByteArray &token);

    struct Verdict {
        int status = 0; // 0: let it through; otherwise the refusal's status
        bool tokenInQuery = false; // the page answer then sets the cookie
    };
    Verdict judge(const RequestHead &head) const;

    // The Set-Cookie value that carries the token for the page's later requests.
    QByteArray cookie() const;

private:
    AccessToken token_;
    QByteArray cookieValue_;
};
