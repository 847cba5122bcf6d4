#pragma once

// termios + poll backend. Every wait is bounded and can be cut short by interrupt(),
// so a stopping program never hangs on a broken port.

#include "serialport.h"

#include <string>

#include <atomic>

class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort();
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort &) = delete;
    PosixSerialPort &operator=(const PosixSerialPort &) = delete;

    bool open(const std::string &deviceName) override;
    bool configure(const LineConfig &config) override;
    int write(const std::uint8_t *data, int count, int timeoutMs) override;
    int read(std::uint8_t *data, int count, int deadlineMs) override;
    bool drain(int timeoutMs) override;
    void purge(bool input, bool output) override;
    void close() override;
    void interrupt() override;

private:
    // Waits for `events` on the port or the interrupt pipe; false on timeout or interrupt.
    bool waitFor(short events, int timeoutMs);
    // Repeats `step(done)` (one read or write of what is left, returning its result)
    // until `count` bytes are through, the port fails or the total deadline passes,
    // waiting for `events` in between. Returns the bytes moved.
    template <typename Step>
    int transfer(short events, int count, int timeoutMs, Step step);
    void setRts(bool on);

    int fd_ = -1;
    std::string device_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    bool pseudoTerminal_ = false;
    bool rtsByHand_ = false; // the driver refused its RS-485 mode
    bool rtsRaised_ = false; // raised for a write that has not been drained yet
    int rtsDrainMs_ = 0;     // that write's own time budget
    std::atomic<bool> interrupted_{false};
};
