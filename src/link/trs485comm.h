#pragma once

// The one object through which the system talks to the controllers: the settings
// of a serial line and one request/reply transaction at a time. Every transaction
// opens, configures, uses and closes the port, so one object serves three lines.

#include "frames.h"
#include "linktypes.h"
#include "serialport.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class TRs485Comm {
public:
    TRs485Comm(SerialPortFactory portFactory, PortNameResolver portNames);
    ~TRs485Comm();
    TRs485Comm(const TRs485Comm &) = delete;
    TRs485Comm &operator=(const TRs485Comm &) = delete;

    // Published properties, set by the caller before each transaction.
    int ComPort = 1;
    unsigned short BaudRate = 38400;
    int DataBits = 8;
    int StopBits = 1;
    int ParityBits = 1;
    int WriteRetry = 3; // kept for the settings it mirrors; a write is sent once
    int ReadRetry = 3;
    int ReadByteTimeout = 12;
    TConverter Converter = TConverter::RS422_485;
    TPsl Psl = TPsl::vorn;
    // The device to open, when the caller has resolved the port number itself;
    // empty: the name the resolver gives for ComPort.
    std::string Device;

    void Send(TCommand command, TAddress address, int station, unsigned short value);
    bool Receive(int station, TAddress address);
    std::string ReceivedValue() const;
    // The same value as a number, for callers that compute with it.
    std::int16_t ReceivedNumber() const { return receivedNumber_.value_or(0); }

    static int CRC_checksum(const int *values, int count) { return ::CRC_checksum(values, count); }

    // Makes every later attempt fail at once; used when the program stops so that
    // the transaction in flight ends without waiting for its timeouts.
    void abort();

    // Sees every frame written and every block read; the program's link log uses it.
    using FrameObserver = std::function<void(bool written, const std::uint8_t *bytes, int count)>;
    void setFrameObserver(FrameObserver observer) { frameObserver_ = std::move(observer); }
    // Sees what the port backend reports about a device it opened (a driver that
    // refused a setting and what was done instead).
    void setNoticeObserver(SerialPort::NoticeObserver observer)
    {
        if (port_)
            port_->setNoticeObserver(std::move(observer));
    }

    // What the last Receive made of its attempts.
    const ReadOutcome &lastReadOutcome() const { return lastReadOutcome_; }

    int lastWriteCount() const { return lastWriteCount_; }
    int lastReadCount() const { return lastReadCount_; }
    bool portReady() const { return portReady_; }

private:
    bool OpenPort(int port, unsigned short baud);
    void ClosePort(bool outputDrained);

    SerialPortFactory portFactory_;
    PortNameResolver portNames_;
    std::unique_ptr<SerialPort> port_;
    bool portReady_ = false;
    LineConfig config_;
    std::optional<std::int16_t> receivedNumber_; // none before the first good read
    int lastWriteCount_ = 0;
    int lastReadCount_ = 0;
    ReadOutcome lastReadOutcome_;

    std::mutex busyMutex_;
    std::condition_variable busyChanged_;
    bool receiveInProgress_ = false;
    bool sendInProgress_ = false;
    std::atomic<bool> aborted_{false};
    FrameObserver frameObserver_;
};
