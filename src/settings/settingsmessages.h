#pragma once

// What the operator is told when the settings cannot be read or written, in the
// program's own words.

#include <QString>
#include <QStringList>

// A value present but of the wrong kind (text where a number belongs).
QString invalidTypeMessage(const QString &valueName);
// A value that could not be stored (file read-only, disk full).
QString writeFailedMessage(const QString &valueName);
QString keyNotCreatedMessage(const QString &key);
QString keyNotSavedMessage(const QString &key);
// Stored values their controls cannot take, each "IDB_4 = x" (or the name alone for a
// value that holds no text); those controls keep their initial states.
QString unusableValuesMessage(const QStringList &entries);
