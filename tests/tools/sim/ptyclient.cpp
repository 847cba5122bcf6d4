#include "ptyclient.h"

#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

bool PtyClient::open(const std::string &path)
{
    close();
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0 || ioctl(fd_, TIOCEXCL) != 0) {
        close();
        return false;
    }
    return true;
}

void PtyClient::close()
{
    if (fd_ < 0)
        return;
    tcflush(fd_, TCIFLUSH);
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

bool PtyClient::write(const std::vector<std::uint8_t> &bytes)
{
    return fd_ >= 0 && ::write(fd_, bytes.data(), bytes.size()) == ssize_t(bytes.size());
}

std::vector<std::uint8_t> PtyClient::read(std::size_t count, int deadlineMs)
{
    using Clock = std::chrono::steady_clock;
    std::vector<std::uint8_t> got;
    if (fd_ < 0)
        return got;
    const auto deadline = Clock::now() + std::chrono::milliseconds(deadlineMs);
    while (got.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, int(left)) <= 0)
            continue;
        std::uint8_t buf[64];
        const ssize_t n = ::read(fd_, buf, std::min(sizeof buf, count - got.size()));
        if (n > 0)
            got.insert(got.end(), buf, buf + n);
    }
    return got;
}
