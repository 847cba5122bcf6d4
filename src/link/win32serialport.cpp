#include "win32serialport.h"

#include <chrono>

#include <windows.h>

namespace {

HANDLE asHandle(void *h) { return static_cast<HANDLE>(h); }

// A transfer that the port's own total timeout should have ended is given up after
// this much longer, so a driver that ignores its timeouts cannot hold the engine.
constexpr int kTransferSlackMs = 1000;

} // namespace

Win32SerialPort::Win32SerialPort()
    : ioDone_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), wake_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

Win32SerialPort::~Win32SerialPort()
{
    close();
    if (ioDone_)
        CloseHandle(asHandle(ioDone_));
    if (wake_)
        CloseHandle(asHandle(wake_));
}

bool Win32SerialPort::open(const std::string &deviceName)
{
    close();
    if (interrupted_ || deviceName.empty() || !ioDone_ || !wake_)
        return false;
    // No sharing: a port held by another program fails here at once.
    HANDLE h = CreateFileA(deviceName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    handle_ = h;
    deviceName_ = deviceName;
    rtsFallbackReported_ = false;
    return true;
}

bool Win32SerialPort::configure(const LineConfig &config)
{
    if (!handle_)
        return false;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(asHandle(handle_), &dcb))
        return false;
    dcb.BaudRate = DWORD(config.baudRate);
    dcb.ByteSize = BYTE(config.dataBits);
    dcb.fBinary = TRUE;
    dcb.fParity = config.parity != Parity::None;
    dcb.Parity = config.parity == Parity::Odd ? ODDPARITY
                 : config.parity == Parity::Even ? EVENPARITY : NOPARITY;
    dcb.StopBits = config.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fRtsControl = RTS_CONTROL_TOGGLE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (applyState(&dcb))
        return true;
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return false;

    // A device that cannot keep the parity answers ERROR_INVALID_PARAMETER: under Wine a
    // pseudo-terminal drops it, and the C library then refuses every parity setting.
    // Such a port is judged by what it holds: speed and byte size as asked. The rest of
    // the state (handshake, characters) is applied without the parity, since
    // SetCommState stops at the first setting it cannot make.
    DCB back{};
    back.DCBlength = sizeof back;
    if (!GetCommState(asHandle(handle_), &back) || back.BaudRate != dcb.BaudRate
        || back.ByteSize != dcb.ByteSize)
        return false;
    dcb.fParity = FALSE;
    dcb.Parity = NOPARITY;
    return applyState(&dcb);
}

bool Win32SerialPort::applyState(void *state)
{
    DCB &dcb = *static_cast<DCB *>(state);
    if (SetCommState(asHandle(handle_), &dcb))
        return true;
    if (GetLastError() != ERROR_NOT_SUPPORTED || dcb.fRtsControl != RTS_CONTROL_TOGGLE)
        return false;
    // Wine and several USB adapter drivers have no RTS toggle. Such adapters switch the
    // transceiver themselves, so RTS is simply held on.
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(asHandle(handle_), &dcb)) {
        dcb.fRtsControl = RTS_CONTROL_TOGGLE;
        return false;
    }
    if (!rtsFallbackReported_) {
        rtsFallbackReported_ = true;
        notice(deviceName_ + ": RTS toggle refused by the driver; RTS held on, "
                             "the adapter switches direction itself");
    }
    return true;
}

bool Win32SerialPort::setTimeouts(int readTotalMs, int writeTotalMs)
{
    // Total timeouts only: no constant part and no interval between bytes.
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = 0;
    t.ReadTotalTimeoutMultiplier = 0;
    t.ReadTotalTimeoutConstant = DWORD(readTotalMs > 0 ? readTotalMs : 1);
    t.WriteTotalTimeoutMultiplier = 0;
    t.WriteTotalTimeoutConstant = DWORD(writeTotalMs > 0 ? writeTotalMs : 1);
    return SetCommTimeouts(asHandle(handle_), &t) != 0;
}

int Win32SerialPort::transfer(bool writing, void *data, int count, int boundMs)
{
    OVERLAPPED io{};
    io.hEvent = asHandle(ioDone_);
    ResetEvent(io.hEvent);
    DWORD moved = 0;
    const BOOL done = writing ? WriteFile(asHandle(handle_), data, DWORD(count), nullptr, &io)
                              : ReadFile(asHandle(handle_), data, DWORD(count), nullptr, &io);
    if (!done) {
        if (GetLastError() != ERROR_IO_PENDING)
            return 0;
        HANDLE waits[2] = {io.hEvent, asHandle(wake_)};
        if (WaitForMultipleObjects(2, waits, FALSE, DWORD(boundMs + kTransferSlackMs)) != WAIT_OBJECT_0)
            CancelIoEx(asHandle(handle_), &io);
    }
    // After a cancel this waits for the cancelled transfer to finish, which is at once;
    // the bytes it moved before are still counted.
    if (!GetOverlappedResult(asHandle(handle_), &io, &moved, TRUE) && moved == 0)
        return 0;
    return int(moved);
}

int Win32SerialPort::write(const std::uint8_t *data, int count, int timeoutMs)
{
    if (!handle_ || interrupted_ || count <= 0 || !setTimeouts(1, timeoutMs))
        return 0;
    return transfer(true, const_cast<std::uint8_t *>(data), count, timeoutMs);
}

int Win32SerialPort::read(std::uint8_t *data, int count, int deadlineMs)
{
    if (!handle_ || interrupted_ || count <= 0 || !setTimeouts(deadlineMs, 1))
        return 0;
    return transfer(false, data, count, deadlineMs);
}

bool Win32SerialPort::drain(int timeoutMs)
{
    if (!handle_)
        return false;
    // FlushFileBuffers waits for the driver without any bound and cannot be cut short,
    // so watch the output queue instead and give up at the deadline; the wait between
    // looks is about one character time.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(asHandle(handle_), &errors, &status))
            return false;
        if (status.cbOutQue == 0)
            return true;
        if (interrupted_ || std::chrono::steady_clock::now() >= deadline)
            return false;
        WaitForSingleObject(asHandle(wake_), 1);
    }
}

void Win32SerialPort::purge(bool input, bool output)
{
    if (!handle_)
        return;
    DWORD flags = 0;
    if (input)
        flags |= PURGE_RXABORT | PURGE_RXCLEAR;
    if (output)
        flags |= PURGE_TXABORT | PURGE_TXCLEAR;
    if (flags)
        PurgeComm(asHandle(handle_), flags);
}

void Win32SerialPort::close()
{
    if (!handle_)
        return;
    CloseHandle(asHandle(handle_));
    handle_ = nullptr;
}

void Win32SerialPort::interrupt()
{
    interrupted_ = true;
    // Ends the wait of a transfer in flight on the other thread; the transfer itself is
    // cancelled there, by the thread that owns the handle.
    if (wake_)
        SetEvent(asHandle(wake_));
}
