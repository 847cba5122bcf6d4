#include "big5.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray toBig5(const QString &text)
{
    QStringEncoder encoder("Big5");
    return encoder(text);
}

QString fromBig5(const QByteArray &bytes)
{
    QStringDecoder decoder("Big5");
    return decoder(bytes);
}
