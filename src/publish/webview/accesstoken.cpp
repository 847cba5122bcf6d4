#include "accesstoken.h"

#include <QCryptographicHash>

namespace {

QByteArray digestOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

AccessToken::AccessToken(const QByteArray &token) : digest_(digestOf(token)), empty_(token.isEmpty()) {}

bool AccessToken::matches(const QByteArray &candidate) const
{
    if (empty_ || candidate.isEmpty())
        return false;
    const QByteArray other = digestOf(candidate);
    // Both digests have the same length; every byte is visited whatever the outcome.
    unsigned char difference = 0;
    for (qsizetype i = 0; i < digest_.size(); ++i)
        difference |= static_cast<unsigned char>(digest_[i] ^ other[i]);
    return difference == 0;
}
