#pragma once

// Win32 communications backend. RTS_CONTROL_TOGGLE lets the driver raise RTS while
// characters are sent, which switches the RS-485 transceiver.

#include "serialport.h"

#include <atomic>

class Win32SerialPort : public SerialPort {
public:
    Win32SerialPort() = default;
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort &) = delete;
    Win32SerialPort &operator=(const Win32SerialPort &) = delete;

    bool open(const std::string &deviceName) override;
    bool configure(const LineConfig &config) override;
    int write(const std::uint8_t *data, int count, int timeoutMs) override;
    int read(std::uint8_t *data, int count, int deadlineMs) override;
    bool drain(int timeoutMs) override;
    void purge(bool input, bool output) override;
    void close() override;
    void interrupt() override;

private:
    bool setTimeouts(int readTotalMs, int writeTotalMs);

    // HANDLE, kept opaque so no windows.h leaks out; atomic because interrupt() reads it
    // from the thread that stops the program.
    std::atomic<void *> handle_{nullptr};
    std::atomic<bool> interrupted_{false};
};
