#pragma once

// Reading back what the writer left: file bytes and the names in a folder; another
// program's hold on a file.

#include "readingssnapshot.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <ostream>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// Another program's exclusive hold on a file, through a descriptor of its own.
class Holder {
public:
    explicit Holder(const QString &path) : fd_(::open(QFile::encodeName(path).constData(), O_RDWR))
    {
        locked_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
    }
    ~Holder() { release(); }
    bool locked() const { return locked_; }
    void release()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
    bool locked_ = false;
};
#endif

// A slot as the readings snapshot shows it to the record line.
inline SlotSnapshot slotTexts(const QString &pv, const QString &sv)
{
    SlotSnapshot slot;
    slot.pvText = pv;
    slot.svText = sv;
    return slot;
}

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
