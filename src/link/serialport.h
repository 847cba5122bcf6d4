#pragma once

// The transport under the link: one serial device, opened for one transaction.
// The link logic never sees a file descriptor or a handle.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum class Parity { None, Odd, Even };

struct LineConfig {
    int baudRate = 38400;
    int dataBits = 8;
    Parity parity = Parity::Odd;
    int stopBits = 1;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device exclusively; fails at once when it is missing or held elsewhere.
    virtual bool open(const std::string &deviceName) = 0;
    // Applies speed, size, parity and stop bits, RTS only while transmitting.
    virtual bool configure(const LineConfig &config) = 0;
    // Writes the bytes; returns how many were accepted by the driver.
    virtual int write(const std::uint8_t *data, int count, int timeoutMs) = 0;
    // Reads up to `count` bytes within one total deadline; returns the count read.
    virtual int read(std::uint8_t *data, int count, int deadlineMs) = 0;
    // Waits, at most `timeoutMs`, until written bytes have left the port.
    virtual bool drain(int timeoutMs) = 0;
    // Discards pending bytes; output only when asked, see the backends.
    virtual void purge(bool input, bool output) = 0;
    virtual void close() = 0;
    // May be called from another thread: wakes an operation that is waiting and makes
    // every later one fail at once. Used when the program stops.
    virtual void interrupt() {}

    // Receives what a backend has to say about a device it opened, such as a line
    // setting the driver refused and what was done instead. The link log shows it.
    using NoticeObserver = std::function<void(const std::string &text)>;
    void setNoticeObserver(NoticeObserver observer) { noticeObserver_ = std::move(observer); }

protected:
    void notice(const std::string &text) const
    {
        if (noticeObserver_)
            noticeObserver_(text);
    }

private:
    NoticeObserver noticeObserver_;
};

using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;

// Maps a port number (1 = COM1) to the name of the device to open.
using PortNameResolver = std::function<std::string(int port)>;
