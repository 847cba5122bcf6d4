#include "posixserialport.h"

#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

int msLeft(SteadyClock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
    return left > 0 ? int(left) : 0;
}

bool speedFor(int baud, speed_t &speed)
{
    struct Entry {
        int baud;
        speed_t speed;
    };
    static const Entry table[] = {{110, B110},     {300, B300},     {600, B600},
                                  {1200, B1200},   {2400, B2400},   {4800, B4800},
                                  {9600, B9600},   {19200, B19200}, {38400, B38400}};
    for (const Entry &e : table) {
        if (e.baud == baud) {
            speed = e.speed;
            return true;
        }
    }
    return false;
}

bool isPseudoTerminal(int fd)
{
    // A pty slave has a master; ptsname() answers only for masters, so ask the
    // device path instead.
    char path[64] = {};
    return ttyname_r(fd, path, sizeof path) == 0 && std::strncmp(path, "/dev/pts/", 9) == 0;
}

} // namespace

PosixSerialPort::PosixSerialPort()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
    }
}

PosixSerialPort::~PosixSerialPort()
{
    close();
    if (wakeRead_ >= 0)
        ::close(wakeRead_);
    if (wakeWrite_ >= 0)
        ::close(wakeWrite_);
}

bool PosixSerialPort::open(const std::string &deviceName)
{
    close();
    if (interrupted_ || deviceName.empty())
        return false;
    fd_ = ::open(deviceName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    device_ = deviceName;
    // Without sharing: a second program (or a second opener here) is refused at once.
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0 || ioctl(fd_, TIOCEXCL) != 0) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    pseudoTerminal_ = isPseudoTerminal(fd_);
    return true;
}

bool PosixSerialPort::configure(const LineConfig &config)
{
    speed_t speed;
    termios t{};
    if (fd_ < 0 || !speedFor(config.baudRate, speed) || tcgetattr(fd_, &t) != 0)
        return false;
    cfmakeraw(&t);
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    switch (config.dataBits) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    default: t.c_cflag |= CS8; break;
    }
    if (config.parity == Parity::Odd)
        t.c_cflag |= PARENB | PARODD;
    else if (config.parity == Parity::Even)
        t.c_cflag |= PARENB;
    if (config.stopBits == 2)
        t.c_cflag |= CSTOPB;
    t.c_cflag |= CLOCAL | CREAD;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    // A pseudo-terminal drops PARENB and may answer EINVAL to a repeated parity
    // setting although nothing is wrong, so the result is judged by reading back.
    tcsetattr(fd_, TCSANOW, &t);

    termios back{};
    if (tcgetattr(fd_, &back) != 0 || cfgetospeed(&back) != speed
        || (back.c_cflag & CSIZE) != (t.c_cflag & CSIZE))
        return false;
    if (!pseudoTerminal_) {
        const tcflag_t framing = PARENB | PARODD | CSTOPB;
        if ((back.c_cflag & framing) != (t.c_cflag & framing))
            return false;
        serial_rs485 rs485{};
        rs485.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
        // USB adapters switch direction themselves and answer ENOTTY; then RTS is
        // raised around each write by hand.
        rtsByHand_ = ioctl(fd_, TIOCSRS485, &rs485) != 0;
        if (rtsByHand_) {
            setRts(false);
            notice(device_ + ": no RS-485 mode in the driver; RTS raised around each write");
        }
    }
    return true;
}

void PosixSerialPort::setRts(bool on)
{
    int bits = TIOCM_RTS;
    ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits);
}

bool PosixSerialPort::waitFor(short events, int timeoutMs)
{
    if (interrupted_)
        return false;
    pollfd fds[2] = {{fd_, events, 0}, {wakeRead_, POLLIN, 0}};
    const int n = poll(fds, wakeRead_ >= 0 ? 2 : 1, timeoutMs);
    if (n <= 0 || interrupted_)
        return false;
    return (fds[0].revents & (events | POLLERR | POLLHUP)) != 0
           && !(fds[0].revents & (POLLERR | POLLNVAL));
}

template <typename Step>
int PosixSerialPort::transfer(short events, int count, int timeoutMs, Step step)
{
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    int done = 0;
    while (done < count) {
        const ssize_t n = step(done);
        if (n > 0) {
            done += int(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
        const int left = msLeft(deadline);
        if (left == 0 || !waitFor(events, left))
            break;
    }
    return done;
}

int PosixSerialPort::write(const std::uint8_t *data, int count, int timeoutMs)
{
    if (fd_ < 0 || interrupted_)
        return 0;
    if (rtsByHand_) {
        setRts(true);
        rtsRaised_ = true;
        rtsDrainMs_ = timeoutMs;
    }
    return transfer(POLLOUT, count, timeoutMs,
                    [&](int done) { return ::write(fd_, data + done, std::size_t(count - done)); });
}

int PosixSerialPort::read(std::uint8_t *data, int count, int deadlineMs)
{
    if (fd_ < 0 || interrupted_)
        return 0;
    // A request goes straight into its reply: the transceiver must be back on receive
    // before the controller answers, so the request leaves the port first.
    if (rtsRaised_)
        drain(rtsDrainMs_);
    // One total deadline for the whole read, not one per byte.
    return transfer(POLLIN, count, deadlineMs,
                    [&](int got) { return ::read(fd_, data + got, std::size_t(count - got)); });
}

bool PosixSerialPort::drain(int timeoutMs)
{
    if (fd_ < 0)
        return false;
    // tcdrain() can hang on a broken port, so watch the output queue instead and give
    // up at the deadline; the wait between looks is about one character time.
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    bool drained = false;
    for (;;) {
        int pending = 0;
        if (ioctl(fd_, TIOCOUTQ, &pending) != 0) {
            drained = tcdrain(fd_) == 0;
            break;
        }
        if (pending == 0) {
            drained = true;
            break;
        }
        const int left = msLeft(deadline);
        if (left == 0 || interrupted_)
            break;
        pollfd wake{wakeRead_, POLLIN, 0};
        poll(&wake, wakeRead_ >= 0 ? 1 : 0, left < 1 ? left : 1);
    }
    if (rtsRaised_) {
        setRts(false);
        rtsRaised_ = false;
    }
    return drained;
}

void PosixSerialPort::purge(bool input, bool output)
{
    if (fd_ < 0)
        return;
    if (input && output)
        tcflush(fd_, TCIOFLUSH);
    else if (input)
        tcflush(fd_, TCIFLUSH);
    else if (output)
        tcflush(fd_, TCOFLUSH);
}

void PosixSerialPort::close()
{
    if (fd_ < 0)
        return;
    // The exclusive mark stays on the device after close on a pseudo-terminal whose
    // other side is still open; clear it so the next transaction can open it again.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    pseudoTerminal_ = false;
    rtsByHand_ = false;
    rtsRaised_ = false;
}

void PosixSerialPort::interrupt()
{
    interrupted_ = true;
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeWrite_, &byte, 1);
    }
}
