// The Win32 backend under Wine, against the simulator's lines as COM ports: every
// line kind, the faults a controller can show, ports that cannot be had, abort(),
// and what the backend does where the driver cannot do what was asked.

#include "simcontrol.h"

#include "systemserialport.h"
#include "trs485comm.h"
#include "win32serialport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

long long msSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The device names of the Windows build: "COM9", "\\.\COM10".
std::string comName(int port)
{
    return (port >= 10 ? "\\\\.\\COM" : "COM") + std::to_string(port);
}

struct LineKind {
    const char *name;
    TPsl psl;
    TConverter converter;
    bool echo() const { return converter == TConverter::RS422_485; }
};

const LineKind kKinds[] = {
    {"rtu/RS485", TPsl::rtu, TConverter::RS485},
    {"rtu/RS422_485", TPsl::rtu, TConverter::RS422_485},
    {"vorn/RS485", TPsl::vorn, TConverter::RS485},
    {"vorn/RS422_485", TPsl::vorn, TConverter::RS422_485},
};

const LineKind &kind(TPsl psl, bool echo)
{
    for (const LineKind &k : kKinds)
        if (k.psl == psl && k.echo() == echo)
            return k;
    return kKinds[0];
}

class Win32AgainstSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        sim = SimControl::fromEnvironment(error);
        ASSERT_TRUE(sim) << error;
        comm = std::make_unique<TRs485Comm>(systemSerialPortFactory(), comName);
    }

    // Points the link at the simulator's line for `k` and returns it; station
    // `stationIndex` of that line answers normally with a frozen PV and the request
    // count starts from zero.
    const SimLineInfo *pointAt(const LineKind &k, int readRetry, int stationIndex = 0)
    {
        const SimLineInfo *line = sim->lineFor(k.psl, k.echo());
        EXPECT_TRUE(line) << "the simulator has no line for " << k.name;
        if (!line || int(line->stations.size()) <= stationIndex) {
            ADD_FAILURE() << "line for " << k.name << " has too few stations";
            return nullptr;
        }
        station = line->stations[std::size_t(stationIndex)];
        const std::string at = std::to_string(line->number) + ' ' + std::to_string(station);
        for (const std::string &c : {"fault " + at + " none", "hold " + at + " on", std::string("reset")})
            EXPECT_EQ(sim->command(c), "ok") << c;
        comm->ComPort = line->number;
        comm->Psl = k.psl;
        comm->Converter = k.converter;
        comm->ReadRetry = readRetry;
        return line;
    }

    void simSays(const std::string &command) { EXPECT_EQ(sim->command(command), "ok") << command; }

    std::string reg(int line, int reg)
    {
        const std::string answer =
            sim->command("get " + std::to_string(line) + ' ' + std::to_string(station) + ' ' + std::to_string(reg));
        return answer.rfind("ok ", 0) == 0 ? answer.substr(3) : "(" + answer + ")";
    }

    // A write is never answered to the link; wait until the controller has it.
    bool waitForRegister(int line, int r, const std::string &value)
    {
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while (Clock::now() < deadline)
            if (reg(line, r) == value)
                return true;
        return false;
    }

    std::unique_ptr<SimControl> sim;
    std::unique_ptr<TRs485Comm> comm;
    int station = 0;
};

TEST_F(Win32AgainstSim, ReadsAndWritesOnEveryLineKind)
{
    for (const LineKind &k : kKinds) {
        SCOPED_TRACE(k.name);
        const SimLineInfo *line = pointAt(k, 1);
        ASSERT_TRUE(line);
        const std::string at = std::to_string(line->number) + ' ' + std::to_string(station);
        simSays("pv " + at + " -15");

        ASSERT_TRUE(comm->Receive(station, 0x8A));
        EXPECT_EQ(comm->ReceivedValue(), "-15");
        EXPECT_EQ(sim->requests(), 1) << "a good reply is taken at the first attempt";

        comm->Send('W', 0x00, station, 1234);
        ASSERT_TRUE(waitForRegister(line->number, 0, "1234"));
        ASSERT_TRUE(comm->Receive(station, 0x00));
        EXPECT_EQ(comm->ReceivedValue(), "1234");
        simSays("pv " + at + " 1999");
        ASSERT_TRUE(comm->Receive(station, 0x8A));
        EXPECT_EQ(comm->ReceivedValue(), "1999");
    }
}

// The link closes the port straight after a write; on a pseudo-terminal nothing may
// discard what the simulator has not read yet.
TEST_F(Win32AgainstSim, EveryWriteFrameLeavesBeforeThePortCloses)
{
    for (bool echo : {false, true}) {
        SCOPED_TRACE(echo ? "with echo" : "without echo");
        const SimLineInfo *line = pointAt(kind(TPsl::rtu, echo), 0);
        ASSERT_TRUE(line);
        for (int i = 1; i <= 20; ++i)
            comm->Send('W', 0x01, station, std::uint16_t(i));
        EXPECT_TRUE(waitForRegister(line->number, 1, "20"));
        EXPECT_EQ(sim->requests(), 20);
    }
}

// With the echo converter an attempt waits 15 x 12 ms = 180 ms. A reply 250 ms late
// lands in the second attempt behind that attempt's echo; one 500 ms late misses both.
TEST_F(Win32AgainstSim, FaultyRepliesAreRetriedAndRejected)
{
    struct Case {
        const char *fault;
        int readRetry;
        bool accepted;
        int requests;
        int minMs; // the attempts' read deadlines, for a reply that never comes
    } cases[] = {
        {"silent", 2, false, 3, 3 * 180},
        {"corrupt", 2, false, 3, 0},
        {"garbage", 2, false, 3, 0},
        {"late 250", 1, true, 2, 0},
        {"late 500", 1, false, 2, 0},
    };
    const SimLineInfo *line = pointAt(kind(TPsl::rtu, true), 0);
    ASSERT_TRUE(line);
    const std::string at = std::to_string(line->number) + ' ' + std::to_string(station);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fault);
        simSays("fault " + at + " none");
        simSays("pv " + at + " 777");
        comm->ReadRetry = 1;
        ASSERT_TRUE(comm->Receive(station, 0x8A)) << "before the case";
        simSays("pv " + at + " 555");
        simSays("fault " + at + ' ' + c.fault);
        simSays("reset");
        comm->ReadRetry = c.readRetry;
        const auto start = Clock::now();
        EXPECT_EQ(comm->Receive(station, 0x8A), c.accepted);
        const long long took = msSince(start);
        EXPECT_EQ(comm->ReceivedValue(), c.accepted ? "555" : "777");
        EXPECT_EQ(sim->requests(), c.requests);
        EXPECT_GE(took, c.minMs);
        EXPECT_LT(took, 3000);
    }
    simSays("fault " + at + " none");
    // Late bytes of the last case must not confuse the reads after it.
    simSays("pv " + at + " 778");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(comm->Receive(station, 0x8A));
        EXPECT_EQ(comm->ReceivedValue(), "778");
    }
}

TEST_F(Win32AgainstSim, PortThatDoesNotExistFailsAtOnce)
{
    int tried = 0;
    for (int port : {200, 9}) {
        SCOPED_TRACE(comName(port));
        HANDLE probe = CreateFileA(comName(port).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            CloseHandle(probe);
            continue; // the prefix gave this number to a device of the machine
        }
        ++tried;
        comm->ComPort = port;
        comm->ReadRetry = 5;
        const auto start = Clock::now();
        EXPECT_FALSE(comm->Receive(1, 0x8A));
        comm->Send('W', 0x00, 1, 1);
        EXPECT_LT(msSince(start), 500) << "no attempt may wait for a timeout";
        EXPECT_FALSE(comm->portReady());
        EXPECT_EQ(comm->lastWriteCount(), 0);
    }
    EXPECT_GT(tried, 0);
}

TEST_F(Win32AgainstSim, PortHeldByAnotherProgramIsRefusedAtOnce)
{
    const SimLineInfo *line = pointAt(kind(TPsl::vorn, false), 5);
    ASSERT_TRUE(line);
    ASSERT_TRUE(comm->Receive(station, 0x8A));

    std::string error;
    std::unique_ptr<LineHolder> other = LineHolder::fromEnvironment(error);
    ASSERT_TRUE(other) << error;
    ASSERT_TRUE(other->hold(line->number, error)) << error;
    simSays("reset");
    const auto start = Clock::now();
    EXPECT_FALSE(comm->Receive(station, 0x8A)) << "opened although another program holds the port";
    comm->Send('W', 0x00, station, 1);
    EXPECT_LT(msSince(start), 500);
    EXPECT_FALSE(comm->portReady());
    EXPECT_EQ(sim->requests(), 0);

    other->release();
    EXPECT_TRUE(comm->Receive(station, 0x8A));
}

TEST_F(Win32AgainstSim, AbortCutsABlockedReadShort)
{
    const SimLineInfo *line = pointAt(kind(TPsl::vorn, true), 5, 1);
    ASSERT_TRUE(line);
    simSays("fault " + std::to_string(line->number) + ' ' + std::to_string(station) + " silent");
    comm->ReadByteTimeout = 200; // 3 s per attempt, 12 s for the four
    auto receive = std::async(std::launch::async, [this] { return comm->Receive(station, 0x8A); });

    // Abort once the first request has reached the line, so the read is waiting.
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (sim->requests() < 1 && Clock::now() < deadline) {
    }
    ASSERT_EQ(sim->requests(), 1);
    const auto start = Clock::now();
    comm->abort();
    ASSERT_EQ(receive.wait_for(std::chrono::seconds(2)), std::future_status::ready)
        << "the blocked read was not cut short";
    EXPECT_FALSE(receive.get());
    EXPECT_LT(msSince(start), 1000);
    EXPECT_EQ(sim->requests(), 1) << "no attempt after abort()";

    const auto again = Clock::now();
    EXPECT_FALSE(comm->Receive(station, 0x8A));
    EXPECT_LT(msSince(again), 100);
}

// Whether the driver under the port offers RTS toggle, asked the same way the backend
// asks: the device's own state with only the RTS control changed.
bool driverRefusesRtsToggle(const std::string &port)
{
    HANDLE h = CreateFileA(port.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool refused = false;
    if (GetCommState(h, &dcb)) {
        dcb.fRtsControl = RTS_CONTROL_TOGGLE;
        refused = !SetCommState(h, &dcb) && GetLastError() == ERROR_NOT_SUPPORTED;
    }
    CloseHandle(h);
    return refused;
}

TEST_F(Win32AgainstSim, RefusedRtsToggleFallsBackAndIsReportedOncePerOpening)
{
    for (const LineKind &k : {kind(TPsl::rtu, false), kind(TPsl::vorn, true)}) {
        SCOPED_TRACE(k.name);
        const SimLineInfo *line = pointAt(k, 0);
        ASSERT_TRUE(line);
        const std::string port = comName(line->number);
        const bool refused = driverRefusesRtsToggle(port);
        std::vector<std::string> notices;
        comm->setNoticeObserver([&](const std::string &text) { notices.push_back(text); });

        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(comm->Receive(station, 0x8A)) << "transaction " << i;
        comm->Send('W', 0x01, station, 7);
        ASSERT_EQ(notices.size(), refused ? 5u : 0u) << "one notice per opening of the port";
        for (const std::string &text : notices) {
            EXPECT_NE(text.find(port), std::string::npos) << text;
            EXPECT_NE(text.find("RTS"), std::string::npos) << text;
        }
        comm->setNoticeObserver(nullptr);
    }
}

// Under Wine the lines are pseudo-terminals: they drop the parity, and a repeated
// parity setting is refused with ERROR_INVALID_PARAMETER. Such a port is judged by
// what it keeps: speed and byte size.
TEST_F(Win32AgainstSim, ConfigurationIsJudgedByWhatTheDeviceKeeps)
{
    const SimLineInfo *line = pointAt(kind(TPsl::rtu, false), 0);
    ASSERT_TRUE(line);
    Win32SerialPort port;
    EXPECT_FALSE(port.configure({38400, 8, Parity::Odd, 1})) << "nothing open";
    ASSERT_TRUE(port.open(comName(line->number)));
    struct Case {
        LineConfig config;
        bool accepted;
    } cases[] = {
        {{38400, 8, Parity::Odd, 1}, true},
        {{38400, 8, Parity::Odd, 1}, true}, // repeated parity setting
        {{9600, 8, Parity::Even, 2}, true},
        {{110, 8, Parity::None, 1}, true},
        {{38400, 7, Parity::Odd, 1}, false}, // the device keeps 8 bits
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.config.baudRate);
        EXPECT_EQ(port.configure(c.config), c.accepted) << c.config.dataBits << " bits";
    }
    port.close();
    ASSERT_TRUE(port.open(comName(line->number))) << "the port opens again after close";
    EXPECT_TRUE(port.configure({38400, 8, Parity::Odd, 1}));
}

// One read call waits for the whole count within one total deadline.
TEST_F(Win32AgainstSim, ReadTakesWhatArrivesWithinOneTotalDeadline)
{
    const SimLineInfo *line = pointAt(kind(TPsl::rtu, false), 0);
    ASSERT_TRUE(line);
    const Frame frame = buildReadRequest(TPsl::rtu, station, 0x8A);

    Win32SerialPort port;
    ASSERT_TRUE(port.open(comName(line->number)));
    ASSERT_TRUE(port.configure({38400, 8, Parity::Odd, 1}));
    std::uint8_t buffer[16] = {};

    ASSERT_EQ(port.write(frame.data(), int(frame.size()), 56), int(frame.size()));
    auto start = Clock::now();
    EXPECT_EQ(port.read(buffer, 7, 2000), 7);
    EXPECT_LT(msSince(start), 1000) << "returns once complete";

    ASSERT_EQ(port.write(frame.data(), int(frame.size()), 56), int(frame.size()));
    start = Clock::now();
    EXPECT_EQ(port.read(buffer, 15, 150), 7);
    const long long waited = msSince(start);
    EXPECT_GE(waited, 140);
    EXPECT_LT(waited, 1000);

    // Bytes beyond the count stay for the next read.
    ASSERT_EQ(port.write(frame.data(), int(frame.size()), 56), int(frame.size()));
    EXPECT_EQ(port.read(buffer, 3, 1000), 3);
    EXPECT_EQ(port.read(buffer + 3, 15, 100), 4);
    EXPECT_TRUE(checkReply(TPsl::rtu, TConverter::RS485, buffer, 7).accepted());
    port.close();
}

} // namespace
