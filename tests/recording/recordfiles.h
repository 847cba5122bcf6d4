#pragma once

// Reading back what the writer left: file bytes and the names in a folder.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <ostream>
#include <string>

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// Readable failure output for QString and QByteArray comparisons.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    std::string shown;
    for (const char c : bytes) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f) {
            shown += c;
        } else {
            static const char hex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += hex[u >> 4];
            shown += hex[u & 15];
        }
    }
    *out << '"' << shown << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *out) { PrintTo(list.join(QLatin1String(", ")), out); }
QT_END_NAMESPACE
