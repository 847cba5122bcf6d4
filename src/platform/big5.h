#pragma once

// Code page 950: the encoding of every text the program stores in files or prints.

#include <QByteArray>
#include <QString>

QByteArray toBig5(const QString &text);
QString fromBig5(const QByteArray &bytes);
