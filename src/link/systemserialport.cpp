#include "systemserialport.h"

#ifdef _WIN32
#include "win32serialport.h"
using PlatformSerialPort = Win32SerialPort;
#else
#include "posixserialport.h"
using PlatformSerialPort = PosixSerialPort;
#endif

SerialPortFactory systemSerialPortFactory()
{
    return [] { return std::unique_ptr<SerialPort>(new PlatformSerialPort); };
}
