#include "portmap.h"

#include "memorysettingsstore.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

namespace {

TEST(PortMap, ReadsTheEntriesOfTheStore)
{
    MemorySettingsStore store;
    store.setString("SerialPortMap", "COM3", QStringLiteral(" /dev/ttyUSB0 "));
    store.setString("SerialPortMap", "COM256", QStringLiteral("/dev/pts/9"));
    store.setString("SerialPortMap", "COM0", QStringLiteral("/dev/null"));
    store.setString("SerialPortMap", "COM257", QStringLiteral("/dev/null"));
    store.setString("SerialPortMap", "COMx", QStringLiteral("/dev/null"));
    store.setString("SerialPortMap", "COM4", QString());
    store.setString("SerialPortMap", "Other", QStringLiteral("/dev/null"));
    const QMap<int, QString> map = readPortMap(store);
    EXPECT_EQ(map, (QMap<int, QString>{{3, "/dev/ttyUSB0"}, {256, "/dev/pts/9"}}));
    EXPECT_FALSE(store.isKeyOpen());

    ASSERT_TRUE(writePortMapEntry(store, 5, QStringLiteral("/dev/ttyACM0")));
    EXPECT_EQ(readPortMap(store).value(5), QStringLiteral("/dev/ttyACM0"));
    store.failWriting("SerialPortMap", "COM6");
    EXPECT_FALSE(writePortMapEntry(store, 6, QStringLiteral("/dev/ttyACM1")));
}

TEST(PortMap, DeviceOfAPortNumber)
{
    const QMap<int, QString> map{{2, "/dev/serial/by-id/usb-FTDI_A"}};
    EXPECT_EQ(deviceNameForPort(0, map), "");
#ifdef Q_OS_WIN
    EXPECT_EQ(deviceNameForPort(9, map), "COM9");
    EXPECT_EQ(deviceNameForPort(10, map), "\\\\.\\COM10");
#else
    EXPECT_EQ(deviceNameForPort(2, map), "/dev/serial/by-id/usb-FTDI_A");
    EXPECT_EQ(deviceNameForPort(1, map), "/dev/ttyS0");
    EXPECT_EQ(deviceNameForPort(256, map), "/dev/ttyS255");
#endif
    EXPECT_EQ(windowsPortName(9), QStringLiteral("COM9"));
    EXPECT_EQ(windowsPortName(10), QStringLiteral("\\\\.\\COM10"));
}

} // namespace
