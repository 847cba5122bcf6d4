// What opening, configuring and closing the port for every transaction costs: one
// TRs485Comm read (open, configure, write, read, purge, close) on a pty against a
// responder thread that answers at once, and the same exchange over a port held open
// throughout, which is the floor. Compare the two medians.

#include "frames.h"
#include "posixserialport.h"
#include "systemserialport.h"
#include "trs485comm.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes rtuReply(std::uint16_t value)
{
    Bytes r{1, 0x03, 0x02, std::uint8_t(value >> 8), std::uint8_t(value)};
    std::vector<int> v(r.begin(), r.end());
    const int crc = CRC_checksum(v.data(), int(v.size()));
    r.push_back(std::uint8_t(crc >> 8));
    r.push_back(std::uint8_t(crc));
    return r;
}

// A controller with no wire time and no thinking time: every 8-byte request on the
// pty's master side gets its 7-byte reply at once.
class Responder {
public:
    Responder()
    {
        char name[128] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            throw std::runtime_error("openpty failed");
        termios t{};
        tcgetattr(slave_, &t);
        cfmakeraw(&t);
        tcsetattr(slave_, TCSANOW, &t);
        // The slave stays open here so the master never sees a hang-up while the
        // link has its side closed between transactions.
        device_ = name;
        stop_ = eventfd(0, EFD_CLOEXEC);
        thread_ = std::thread([this] { run(); });
    }

    ~Responder()
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(stop_, &one, sizeof one);
        thread_.join();
        ::close(stop_);
        ::close(slave_);
        ::close(master_);
    }

    const std::string &device() const { return device_; }

private:
    void run()
    {
        const Bytes reply = rtuReply(0xFFF1);
        Bytes pending;
        for (;;) {
            pollfd fds[2] = {{master_, POLLIN, 0}, {stop_, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
                return;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            pending.insert(pending.end(), buffer, buffer + n);
            while (pending.size() >= 8) {
                pending.erase(pending.begin(), pending.begin() + 8);
                [[maybe_unused]] ssize_t w = ::write(master_, reply.data(), reply.size());
            }
        }
    }

    int master_ = -1;
    int slave_ = -1;
    int stop_ = -1;
    std::string device_;
    std::thread thread_;
};

void BM_TransactionOpenCloseEachTime(benchmark::State &state)
{
    Responder responder;
    TRs485Comm comm(systemSerialPortFactory(), [&](int) { return responder.device(); });
    comm.Psl = TPsl::rtu;
    comm.Converter = TConverter::RS485;
    comm.ReadRetry = 0;
    for (auto _ : state) {
        if (!comm.Receive(1, 0x8A)) {
            state.SkipWithError("no reply");
            break;
        }
    }
}

void BM_TransactionHeldOpenFloor(benchmark::State &state)
{
    Responder responder;
    PosixSerialPort port;
    if (!port.open(responder.device()) || !port.configure(LineConfig{})) {
        state.SkipWithError("pty cannot be opened");
        return;
    }
    const Frame request = buildReadRequest(TPsl::rtu, 1, 0x8A);
    std::uint8_t reply[7];
    for (auto _ : state) {
        port.write(request.data(), int(request.size()), 56);
        const int got = port.read(reply, 7, 84);
        if (!checkReply(TPsl::rtu, TConverter::RS485, reply, std::size_t(got)).accepted()) {
            state.SkipWithError("no reply");
            break;
        }
    }
    port.close();
}

} // namespace

BENCHMARK(BM_TransactionOpenCloseEachTime)->Repetitions(15)->ReportAggregatesOnly(true)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TransactionHeldOpenFloor)->Repetitions(15)->ReportAggregatesOnly(true)->UseRealTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
