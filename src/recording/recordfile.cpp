#include "recordfile.h"

#include "recordinglog.h"

#include <QDir>
#include <QFile>

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Hands the lines to `write` in pieces of some 64 KiB, so that a long backlog costs
// few system calls and no copy of itself as a whole. A single line goes as it is.
template <typename WriteBytes>
bool writeLines(const QByteArray &header, const RecordLines &lines, WriteBytes write)
{
    if (!header.isEmpty() && !write(header))
        return false;
    if (lines.size() == 1)
        return write(lines.front());
    constexpr qsizetype kPiece = 64 * 1024;
    QByteArray piece;
    piece.reserve(kPiece);
    for (const QByteArray &line : lines) {
        if (!piece.isEmpty() && piece.size() + line.size() > kPiece) {
            if (!write(piece))
                return false;
            piece.resize(0);
        }
        piece += line;
    }
    return piece.isEmpty() || write(piece);
}

} // namespace

void makeFolder(const QString &path)
{
    // Whether it was made or was there already matters not: opening a file in it tells.
    if (!path.isEmpty())
        QDir().mkdir(path);
}

#ifdef _WIN32

namespace {

bool writeAll(HANDLE file, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.constData() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

AppendOutcome appendExclusive(const QString &path, const QByteArray &header, const RecordLines &lines)
{
    const QString native = QDir::toNativeSeparators(path);
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), GENERIC_READ | GENERIC_WRITE,
                              0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        qCDebug(lcRecording) << "cannot open" << path << "error" << error;
        return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? AppendOutcome::Busy
                                                                                 : AppendOutcome::Failed;
    }
    LARGE_INTEGER size{};
    AppendOutcome outcome = AppendOutcome::Failed;
    if (GetFileSizeEx(file, &size)) {
        LARGE_INTEGER zero{};
        const QByteArray firstHeader = size.QuadPart == 0 ? header : QByteArray();
        if (SetFilePointerEx(file, zero, nullptr, FILE_END)
            && writeLines(firstHeader, lines, [file](const QByteArray &bytes) { return writeAll(file, bytes); })) {
            outcome = AppendOutcome::Written;
        } else {
            qCDebug(lcRecording) << "writing" << path << "failed, error" << GetLastError();
            SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
            SetEndOfFile(file);
        }
    }
    CloseHandle(file);
    return outcome;
}

#else

namespace {

// Retries what a signal interrupted; false on any other error or a write of nothing.
bool writeAll(int fd, const QByteArray &bytes)
{
    const char *at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        left -= n;
    }
    return true;
}

} // namespace

AppendOutcome appendExclusive(const QString &path, const QByteArray &header, const RecordLines &lines)
{
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        qCDebug(lcRecording) << "cannot open" << path << ":" << std::strerror(errno);
        return AppendOutcome::Failed;
    }
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked < 0 && errno == EINTR);
    if (locked < 0) {
        const bool busy = errno == EWOULDBLOCK;
        qCDebug(lcRecording) << "cannot hold" << path << ":" << std::strerror(errno);
        ::close(fd);
        return busy ? AppendOutcome::Busy : AppendOutcome::Failed;
    }
    AppendOutcome outcome = AppendOutcome::Failed;
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        const QByteArray firstHeader = info.st_size == 0 ? header : QByteArray();
        if (writeLines(firstHeader, lines, [fd](const QByteArray &bytes) { return writeAll(fd, bytes); })) {
            outcome = AppendOutcome::Written;
        } else {
            qCDebug(lcRecording) << "writing" << path << "failed:" << std::strerror(errno);
            // Nothing half-written stays behind: the records are kept for another try.
            if (::ftruncate(fd, info.st_size) != 0)
                qCWarning(lcRecording) << "could not cut" << path << "back:" << std::strerror(errno);
        }
    }
    ::close(fd); // also releases the lock
    return outcome;
}

#endif
