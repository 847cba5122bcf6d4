#pragma once

// Readable Qt values in test failure messages.

#include <QMap>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << '{';
    for (const QString &text : list)
        *out << "\n  \"" << text.toStdString() << '"';
    *out << " }";
}

template <class K>
void PrintTo(const QMap<K, QString> &map, std::ostream *out)
{
    *out << '{';
    for (auto it = map.begin(); it != map.end(); ++it) {
        *out << "\n  ";
        if constexpr (std::is_same_v<K, QString>)
            *out << it.key().toStdString();
        else
            *out << it.key();
        *out << " = \"" << it.value().toStdString() << '"';
    }
    *out << " }";
}
