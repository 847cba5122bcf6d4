#include "portsearch.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

namespace {

TEST(SerialCommLines, ListsPortsAndMarksUsbVirtualPorts)
{
    const QList<SerialCommValue> values = {
        {QStringLiteral("\\Device\\Serial0"), QStringLiteral("COM1")},
        {QStringLiteral("\\Device\\VCP0"), QStringLiteral("COM12")},
        {QStringLiteral("\\Device\\Serial1"), QStringLiteral("COM0")},     // out of range
        {QStringLiteral("\\Device\\Serial2"), QStringLiteral("COM256")},   // out of range
        {QStringLiteral("\\Device\\Modem"), QStringLiteral("COMX")},       // no number
        {QStringLiteral("\\Device\\Serial3"), QStringLiteral("COM255")},
        {QStringLiteral("\\Device\\Serial\\VCP"), QStringLiteral("COM5")}, // VCP elsewhere in the path
        {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("COM9"), true},
    };
    const QStringList expected = {
        QStringLiteral("COM1 \\Device\\Serial0"),
        QStringLiteral("COM12 \\Device\\VCP0====>COM12 ComPort USB Port "),
        QStringLiteral("COM255 \\Device\\Serial3"),
        QStringLiteral("COM5 \\Device\\Serial\\VCP"),
        QStringLiteral("COM9 /dev/ttyUSB0====>COM9 ComPort USB Port "),
    };
    EXPECT_EQ(serialCommLines(values), expected);
}

TEST(SerialCommLines, VcpMustSitAtPositionsNineToEleven)
{
    // "\Device\" is eight characters: the USB driver's name follows it directly.
    const QStringList lines = serialCommLines({{QStringLiteral("\\Device\\VCP3"), QStringLiteral("COM4")},
                                               {QStringLiteral("\\Device\\xVCP3"), QStringLiteral("COM6")}});
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" ComPort USB Port ")));
    EXPECT_EQ(lines[1], QStringLiteral("COM6 \\Device\\xVCP3"));
}

struct UnixCase {
    const char *what;
    QMap<int, QString> map;
    QList<SystemSerialPort> present;
    QStringList lines;
    QMap<int, QString> newEntries;
};

TEST(UnixPortSearch, NumbersEveryDeviceWithoutTakingUsedNumbers)
{
    const UnixCase cases[] = {
        {"built-in ports answer to their fallback numbers",
         {},
         {{"/dev/ttyS0", false}, {"/dev/ttyS1", false}},
         {"COM1 /dev/ttyS0", "COM2 /dev/ttyS1"},
         {}},
        {"a USB adapter gets the first number nobody uses",
         {{3, "/dev/ttyUSB0"}},
         {{"/dev/ttyS0", false}, {"/dev/ttyUSB0", true}, {"/dev/ttyUSB1", true}},
         {"COM1 /dev/ttyS0", "COM2 /dev/ttyUSB1====>COM2 ComPort USB Port ",
          "COM3 /dev/ttyUSB0====>COM3 ComPort USB Port "},
         {{2, "/dev/ttyUSB1"}}},
        {"a number mapped elsewhere leaves its built-in port without a number",
         {{1, "/dev/pts/4"}},
         {{"/dev/ttyS0", false}},
         {"COM1 /dev/pts/4"},
         {}},
        {"no fallback number changes its meaning",
         {{1, "/dev/pts/4"}},
         {{"/dev/ttyS0", false}, {"/dev/ttyS1", false}, {"/dev/ttyS2", false}, {"/dev/ttyS3", false},
          {"/dev/ttyUSB0", true}},
         {"COM1 /dev/pts/4", "COM2 /dev/ttyS1", "COM3 /dev/ttyS2", "COM4 /dev/ttyS3",
          "COM5 /dev/ttyUSB0====>COM5 ComPort USB Port "},
         {{5, "/dev/ttyUSB0"}}},
        {"a built-in port mapped to another number keeps its fallback number too",
         {{7, "/dev/ttyS0"}},
         {{"/dev/ttyS0", false}, {"/dev/ttyACM0", true}},
         {"COM1 /dev/ttyS0", "COM2 /dev/ttyACM0====>COM2 ComPort USB Port ", "COM7 /dev/ttyS0"},
         {{2, "/dev/ttyACM0"}}},
        {"an adapter is entered by its by-id path, and found again by it",
         {{2, "/dev/serial/by-id/usb-FTDI_A"}},
         {{"/dev/ttyUSB0", true, "/dev/serial/by-id/usb-FTDI_A"},
          {"/dev/ttyUSB1", true, "/dev/serial/by-id/usb-FTDI_B"}},
         {"COM1 /dev/serial/by-id/usb-FTDI_B====>COM1 ComPort USB Port ",
          "COM2 /dev/serial/by-id/usb-FTDI_A====>COM2 ComPort USB Port "},
         {{1, "/dev/serial/by-id/usb-FTDI_B"}}},
        {"devices that are neither built-in nor USB are not numbered",
         {},
         {{"/dev/ttyAMA0", false}},
         {},
         {}},
        {"a new device does not take the fallback number of a later built-in port",
         {},
         {{"/dev/ttyUSB0", true}, {"/dev/ttyS0", false}},
         {"COM1 /dev/ttyS0", "COM2 /dev/ttyUSB0====>COM2 ComPort USB Port "},
         {{2, "/dev/ttyUSB0"}}},
        {"mapped devices are listed although absent",
         {{4, "/dev/ttyUSB9"}},
         {},
         {"COM4 /dev/ttyUSB9"},
         {}},
    };
    for (const UnixCase &c : cases) {
        const PortSearchResult result = searchUnixPorts(c.map, c.present);
        EXPECT_EQ(serialCommLines(result.values), c.lines) << c.what;
        EXPECT_EQ(result.newEntries, c.newEntries) << c.what;
    }
}

TEST(UnixPortSearch, StopsNumberingWhenEveryNumberIsTaken)
{
    QMap<int, QString> full;
    for (int n = 1; n <= 255; ++n)
        full.insert(n, QStringLiteral("/dev/pts/%1").arg(n));
    const PortSearchResult result = searchUnixPorts(full, {{QStringLiteral("/dev/ttyUSB0"), true}});
    EXPECT_TRUE(result.newEntries.isEmpty());
    EXPECT_EQ(result.values.size(), 255);
}

} // namespace
