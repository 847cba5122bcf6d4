#pragma once

// What every answer of the web view carries, refusals included: a policy that lets
// the page run only its own script and style and talk only to its own server, no
// guessing of content types, no caching, and one request per connection (so that the
// gate reads every request head before anything else does).

#include <QByteArray>
#include <QList>
#include <QPair>

using HeaderFields = QList<QPair<QByteArray, QByteArray>>;

HeaderFields securityHeaders();

QByteArray reasonPhrase(int status);

// A complete answer with a short plain text body, as the gate writes its refusals.
QByteArray plainAnswer(int status, const QByteArray &body, const HeaderFields &extra = {});
