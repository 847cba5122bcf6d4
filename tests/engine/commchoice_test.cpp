// The communication dialog's choice for one panel as the engine's line settings.

#include "commchoice.h"

#include <gtest/gtest.h>

namespace {

using Outcome = LineChoice::Outcome;

struct ChoiceCase {
    const char *what;
    CommChoice choice;
    Outcome outcome;
    int comPort, baudRate;
    TConverter converter;
    TPsl psl;
};

// The line the panel had before: port 6 at 2400, 4-wire, RTU.
LineSettings before()
{
    LineSettings line;
    line.ComPort = 6;
    line.BaudRate = 2400;
    line.Converter = TConverter::RS422_485;
    line.Psl = TPsl::rtu;
    line.Device = "/dev/ttyUSB0";
    return line;
}

TEST(CommChoice, EveryListAndTheTypedPortMapOntoTheLine)
{
    using C = TConverter;
    using P = TPsl;
    const ChoiceCase cases[] = {
        {"first items", {0, "", 0, 0, 0}, Outcome::Applied, 1, 38400, C::RS422_485, P::vorn},
        {"last items", {7, "", 4, 1, 1}, Outcome::Applied, 8, 2400, C::RS485, P::rtu},
        {"RS232 has no echo", {2, "", 2, 2, 0}, Outcome::Applied, 3, 9600, C::RS485, P::vorn},
        {"19200, 4800", {1, "", 1, 0, 1}, Outcome::Applied, 2, 19200, C::RS422_485, P::rtu},
        {"4800", {1, "", 3, 0, 1}, Outcome::Applied, 2, 4800, C::RS422_485, P::rtu},
        {"nothing chosen keeps the line", {4, "", -1, -1, -1}, Outcome::Applied, 5, 2400, C::RS422_485, P::rtu},
        {"indexes past the lists keep it", {4, "", 5, 3, 2}, Outcome::Applied, 5, 2400, C::RS422_485, P::rtu},
        {"typed port wins over the list", {2, "12", 0, 1, 0}, Outcome::Applied, 12, 38400, C::RS485, P::vorn},
        {"typed port alone", {-1, "256", 2, 0, 0}, Outcome::Applied, 256, 9600, C::RS422_485, P::vorn},
        {"typed with a sign", {-1, "+1", -1, -1, -1}, Outcome::Applied, 1, 2400, C::RS422_485, P::rtu},
        {"no port at all goes quiet", {-1, "", 0, 1, 0}, Outcome::NoPort, 0, 38400, C::RS485, P::vorn},
        {"list index past COM 8", {8, "", 0, 0, 0}, Outcome::NoPort, 0, 38400, C::RS422_485, P::vorn},
        {"typed text", {3, "COM3", 0, 1, 0}, Outcome::TypedPortNotANumber, 6, 2400, C::RS422_485, P::rtu},
        {"typed blank", {3, " 3", 0, 1, 0}, Outcome::TypedPortNotANumber, 6, 2400, C::RS422_485, P::rtu},
        {"typed 0", {3, "0", 0, 1, 0}, Outcome::TypedPortOutOfRange, 6, 2400, C::RS422_485, P::rtu},
        {"typed 257", {3, "257", 0, 1, 0}, Outcome::TypedPortOutOfRange, 6, 2400, C::RS422_485, P::rtu},
    };
    for (const ChoiceCase &c : cases) {
        const LineChoice chosen = lineSettingsForChoice(before(), c.choice);
        EXPECT_EQ(chosen.outcome, c.outcome) << c.what;
        EXPECT_EQ(chosen.line.ComPort, c.comPort) << c.what;
        EXPECT_EQ(chosen.line.BaudRate, c.baudRate) << c.what;
        EXPECT_EQ(chosen.line.Converter, c.converter) << c.what;
        EXPECT_EQ(chosen.line.Psl, c.psl) << c.what;
        // The device follows the port through the port map, which the caller holds.
        EXPECT_EQ(chosen.line.Device, "/dev/ttyUSB0") << c.what;
    }
    EXPECT_EQ(lineSettingsForChoice(before(), {-1, "300", 0, 0, 0}).refusedPort, 300);
    EXPECT_EQ(lineSettingsForChoice(before(), {-1, "-2", 0, 0, 0}).refusedPort, -2);
}

TEST(CommChoice, EngineValuesSelectTheirItems)
{
    const std::pair<int, int> ports[] = {{1, 0}, {8, 7}, {9, 7}, {256, 7}, {0, -1}, {-3, -1}};
    for (const auto &[port, item] : ports)
        EXPECT_EQ(portItemForComPort(port), item) << port;
    const std::pair<int, int> speeds[] = {{38400, 0}, {19200, 1}, {9600, 2}, {4800, 3}, {2400, 4}, {1200, -1}, {0, -1}};
    for (const auto &[baud, item] : speeds)
        EXPECT_EQ(bpsItemForBaudRate(baud), item) << baud;
}

} // namespace
