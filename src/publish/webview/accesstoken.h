#pragma once

// The web view's shared secret. Only its digest is kept, and a candidate is judged by
// comparing digests in time that does not depend on where they differ, so neither
// the answer's timing nor the token's length tells a guesser anything.

#include <QByteArray>

class AccessToken {
public:
    explicit AccessToken(const QByteArray &token);

    bool isEmpty() const { return empty_; }
    bool matches(const QByteArray &candidate) const;

private:
    QByteArray digest_;
    bool empty_;
};
