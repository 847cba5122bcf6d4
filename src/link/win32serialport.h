#pragma once

// Win32 communications backend. RTS_CONTROL_TOGGLE lets the driver raise RTS while
// characters are sent, which switches the RS-485 transceiver; where the driver has no
// toggle (Wine, several USB adapters) RTS is held on instead and the notice observer
// is told once per opening. Transfers are overlapped so that interrupt() can end a
// read or write that is waiting, from another thread; to the caller every call still
// blocks until it is done or its deadline has passed.

#include "serialport.h"

#include <atomic>
#include <string>

class Win32SerialPort : public SerialPort {
public:
    Win32SerialPort();
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
    // SetCommState on a DCB (void * keeps windows.h out of this header), falling back
    // from RTS toggle to RTS on when the driver refuses the toggle.
    bool applyState(void *dcb);
    // One overlapped ReadFile or WriteFile, waited for until it completes, `boundMs`
    // passes (the port's own timeouts end it well before) or interrupt() is called.
    int transfer(bool writing, void *data, int count, int boundMs);

    // HANDLEs, kept opaque so no windows.h leaks out.
    void *handle_ = nullptr;
    void *ioDone_ = nullptr; // completion event of the transfer in flight
    void *wake_ = nullptr;   // set by interrupt(), never reset
    std::atomic<bool> interrupted_{false};
    std::string deviceName_;
    bool rtsFallbackReported_ = false; // once per opening
};
