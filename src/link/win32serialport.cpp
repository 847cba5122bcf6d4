#include "win32serialport.h"

#include <windows.h>

namespace {
HANDLE asHandle(void *h) { return static_cast<HANDLE>(h); }
}

Win32SerialPort::~Win32SerialPort()
{
    close();
}

bool Win32SerialPort::open(const std::string &deviceName)
{
    close();
    if (interrupted_ || deviceName.empty())
        return false;
    // No sharing: a port held by another program fails here at once.
    HANDLE h = CreateFileA(deviceName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    handle_ = h;
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
    return SetCommState(asHandle(handle_), &dcb) != 0;
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

int Win32SerialPort::write(const std::uint8_t *data, int count, int timeoutMs)
{
    if (!handle_ || interrupted_ || !setTimeouts(1, timeoutMs))
        return 0;
    DWORD written = 0;
    if (!WriteFile(asHandle(handle_), data, DWORD(count), &written, nullptr))
        return 0;
    return int(written);
}

int Win32SerialPort::read(std::uint8_t *data, int count, int deadlineMs)
{
    if (!handle_ || interrupted_ || !setTimeouts(deadlineMs, 1))
        return 0;
    DWORD got = 0;
    if (!ReadFile(asHandle(handle_), data, DWORD(count), &got, nullptr))
        return 0;
    return int(got);
}

bool Win32SerialPort::drain(int)
{
    // WriteFile returns when the bytes are in the driver, bounded by the write total
    // timeout; FlushFileBuffers waits for the UART, bounded by the same timeout.
    return handle_ && FlushFileBuffers(asHandle(handle_)) != 0;
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
    PurgeComm(asHandle(handle_), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    CloseHandle(asHandle(handle_));
    handle_ = nullptr;
}

void Win32SerialPort::interrupt()
{
    interrupted_ = true;
    // Cancels a ReadFile or WriteFile blocked on the port from the other thread.
    if (void *h = handle_.load())
        CancelIoEx(asHandle(h), nullptr);
}
