// The termios backend on a pseudo-terminal pair: the test holds the master side the
// way the simulator does, the port under test opens the slave by name.

#include "posixserialport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

class PtyPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        int slave = -1;
        char name[128] = {};
        ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        slaveName = name;
        // Raw, so nothing the master writes is echoed or cooked before the port opens.
        termios t{};
        ASSERT_EQ(tcgetattr(slave, &t), 0);
        cfmakeraw(&t);
        ASSERT_EQ(tcsetattr(slave, TCSANOW, &t), 0);
        ::close(slave);
    }

    void TearDown() override
    {
        if (master >= 0)
            ::close(master);
    }

    void masterWrite(const Bytes &bytes)
    {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }

    // Collects `count` bytes from the master side, giving up after `timeoutMs`.
    Bytes masterRead(std::size_t count, int timeoutMs)
    {
        Bytes got;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < count) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            pollfd p{master, POLLIN, 0};
            if (left <= 0 || poll(&p, 1, int(left)) <= 0)
                break;
            std::uint8_t buffer[64];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    int master = -1;
    std::string slaveName;
    const LineConfig config{38400, 8, Parity::Odd, 1};
};

TEST_F(PtyPair, OpenIsExclusiveAndTheDeviceReopensAfterClose)
{
    PosixSerialPort first, second;
    ASSERT_TRUE(first.open(slaveName));
    EXPECT_FALSE(second.open(slaveName)) << "a port held elsewhere must be refused";
    first.close();
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(second.open(slaveName)) << "cycle " << i;
        ASSERT_TRUE(second.configure(config)) << "cycle " << i;
        second.close();
    }
    EXPECT_FALSE(first.open("/dev/does-not-exist-tempmon"));
    EXPECT_FALSE(first.open(""));
}

TEST_F(PtyPair, ConfigurationIsJudgedByWhatThePtyCanDo)
{
    PosixSerialPort port;
    ASSERT_TRUE(port.open(slaveName));
    struct Case {
        LineConfig config;
        bool accepted;
    } cases[] = {
        {{38400, 8, Parity::Odd, 1}, true},
        {{38400, 8, Parity::Odd, 1}, true}, // repeated parity setting
        {{9600, 8, Parity::Even, 2}, true},
        {{110, 8, Parity::None, 1}, true},
        {{12345, 8, Parity::Odd, 1}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(port.configure(c.config), c.accepted) << c.config.baudRate;
    EXPECT_FALSE(PosixSerialPort().configure(config)) << "nothing open";
}

// A completed drain must not be followed by an output purge: on a pty that would
// drop the bytes the other side has not read yet.
TEST_F(PtyPair, WrittenFrameArrivesCompleteAfterDrainPurgeAndClose)
{
    const Bytes frame{0x01, 0x06, 0x00, 0x00, 0x01, 0x2C, 0x89, 0x87};
    PosixSerialPort port;
    ASSERT_TRUE(port.open(slaveName));
    ASSERT_TRUE(port.configure(config));
    EXPECT_EQ(port.write(frame.data(), int(frame.size()), 56), int(frame.size()));
    EXPECT_TRUE(port.drain(56));
    port.purge(true, false);
    port.close();
    EXPECT_EQ(masterRead(frame.size(), 2000), frame);
}

TEST_F(PtyPair, ReadTakesWhatArrivesWithinOneTotalDeadline)
{
    PosixSerialPort port;
    ASSERT_TRUE(port.open(slaveName));
    ASSERT_TRUE(port.configure(config));
    std::uint8_t buffer[16] = {};

    masterWrite(Bytes(15, 0x5A));
    auto start = Clock::now();
    EXPECT_EQ(port.read(buffer, 15, 5000), 15);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500)) << "returns once complete";

    masterWrite({1, 2, 3, 4, 5});
    start = Clock::now();
    EXPECT_EQ(port.read(buffer, 15, 120), 5);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(115));
    EXPECT_LT(waited, std::chrono::milliseconds(2000));
    EXPECT_EQ(Bytes(buffer, buffer + 5), Bytes({1, 2, 3, 4, 5}));

    // Bytes beyond the count stay for the next read.
    masterWrite({9, 8, 7, 6});
    EXPECT_EQ(port.read(buffer, 3, 1000), 3);
    EXPECT_EQ(port.read(buffer, 3, 50), 1);
    EXPECT_EQ(buffer[0], 6);
}

TEST_F(PtyPair, InterruptWakesABlockedReadAndRefusesLaterWork)
{
    PosixSerialPort port;
    ASSERT_TRUE(port.open(slaveName));
    ASSERT_TRUE(port.configure(config));
    const auto start = Clock::now();
    auto reading = std::async(std::launch::async, [&port] {
        std::uint8_t buffer[15];
        return port.read(buffer, 15, 30000);
    });
    port.interrupt();
    ASSERT_EQ(reading.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(reading.get(), 0);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    const std::uint8_t byte = 0;
    EXPECT_EQ(port.write(&byte, 1, 7), 0);
    port.close();
    EXPECT_FALSE(port.open(slaveName));
}

} // namespace
