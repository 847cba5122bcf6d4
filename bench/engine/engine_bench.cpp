// Engine figures, printed as text:
//  1. A full poll cycle of 30 linked controllers on three simulated lines with wire-time
//     emulation and 5 ms reply latency, against the simulator's bound (the least time
//     any client could spend on the same requests). Reported per cycle, median.
//  2. CPU use of the process while every slot is unlinked and ScanAll is off.
//  3. What the line health figures add to one read: the engine's guarded count and the
//     link's two clock readings around an attempt, without any port.
// Usage: bench_engine [cycles=7] [cpu_seconds=5]

#include "tcommcontroller.h"

#include "simprocess.h"
#include "systemserialport.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

long long boundUs(const QString &stats)
{
    static const QRegularExpression re(QStringLiteral("\\bbound_us=(\\d+)"));
    const auto m = re.match(stats);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

// Holds the engine at each cycle end so the main thread can read and reset the
// simulator's statistics exactly at the cycle boundary; the held time is not counted.
class CycleGate {
public:
    void atCycleEnd()
    {
        std::unique_lock<std::mutex> lock(m_);
        ends_.push_back(Clock::now());
        held_ = true;
        cv_.notify_all();
        cv_.wait(lock, [this] { return !held_; });
        starts_.push_back(Clock::now());
    }
    bool waitHeld(std::chrono::seconds timeout)
    {
        std::unique_lock<std::mutex> lock(m_);
        return cv_.wait_for(lock, timeout, [this] { return held_; });
    }
    void release()
    {
        std::lock_guard<std::mutex> lock(m_);
        held_ = false;
        cv_.notify_all();
    }
    // Seconds of cycle k (1-based): from the resume after cycle k-1 to the end of k.
    double cycleSeconds(std::size_t k)
    {
        std::lock_guard<std::mutex> lock(m_);
        return std::chrono::duration<double>(ends_[k - 1] - starts_[k - 2]).count();
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool held_ = false;
    std::vector<Clock::time_point> ends_;
    std::vector<Clock::time_point> starts_;
};

void measureCycle(int baud, int cycles)
{
    const QString wire = QStringLiteral(",baud=%1,wire=on,latency=5").arg(baud);
    SimProcess sim({QStringLiteral("--line"), QStringLiteral("psl=rtu,echo=off") + wire,
                    QStringLiteral("--line"), QStringLiteral("psl=rtu,echo=on") + wire,
                    QStringLiteral("--line"), QStringLiteral("psl=vorn,echo=on") + wire});
    if (!sim.start()) {
        std::printf("simulator did not start\n");
        return;
    }
    PlantModel model;
    model.setLineSettings(1, LineSettings{1, baud, TConverter::RS485, TPsl::rtu});
    model.setLineSettings(2, LineSettings{2, baud, TConverter::RS422_485, TPsl::rtu});
    model.setLineSettings(3, LineSettings{3, baud, TConverter::RS422_485, TPsl::vorn});
    auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(), [&sim](int port) {
        return sim.device(port).toStdString();
    });
    CycleGate gate;
    TCommController engine(model, std::move(link));
    engine.setCycleHook([&gate](long) { gate.atCycleEnd(); });
    engine.start();

    std::vector<double> measured, bound, ratio;
    double sumMeasured = 0, sumBound = 0;
    // Cycle 1 carries the scan's requests in its statistics; it only sets the start.
    for (int k = 1; k <= cycles + 1; ++k) {
        if (!gate.waitHeld(std::chrono::seconds(120))) {
            std::printf("cycle %d did not finish\n", k);
            break;
        }
        if (k >= 2) {
            const double t = gate.cycleSeconds(std::size_t(k));
            const double b = double(boundUs(sim.command(QStringLiteral("stats")))) / 1e6;
            measured.push_back(t);
            bound.push_back(b);
            ratio.push_back(t / b);
            sumMeasured += t;
            sumBound += b;
        }
        sim.command(QStringLiteral("reset"));
        gate.release();
    }
    engine.requestStop();
    engine.wait();
    int linked = 0;
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 10; ++s)
            linked += !model.unlinked(p, s);
    std::printf("baud %5d: %zu cycles, %d linked; cycle median %.1f ms, bound median %.1f ms, "
                "ratio median %.3f (total %.3f, min %.3f, max %.3f)\n",
                baud, measured.size(), linked, median(measured) * 1e3, median(bound) * 1e3,
                median(ratio), sumMeasured / sumBound,
                ratio.empty() ? 0 : *std::min_element(ratio.begin(), ratio.end()),
                ratio.empty() ? 0 : *std::max_element(ratio.begin(), ratio.end()));
}

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
           + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void measureIdleCpu(std::chrono::milliseconds idlePause, int seconds)
{
    PlantModel model;
    // Every port is missing: reads fail at once and four cycles unlink every slot.
    auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(), [](int port) {
        return "/nonexistent/tempmon-bench-tty" + std::to_string(port);
    });
    TCommController engine(model, std::move(link));
    engine.setIdlePause(idlePause);
    engine.start();
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (engine.cycleCount() < 5 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const long c0 = engine.cycleCount();
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    // The measurement window itself, not a synchronisation.
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu = cpuSeconds() - cpu0;
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const long cycles = engine.cycleCount() - c0;
    engine.requestStop();
    engine.wait();
    std::printf("idle (all unlinked, ScanAll off), idle pause %3lld ms: %.2f %% of one core, "
                "%ld cycles in %.1f s\n",
                static_cast<long long>(idlePause.count()), 100.0 * cpu / wall, cycles, wall);
}
void measureCounting()
{
    PlantModel model;
    constexpr int kReads = 2000000;
    ReadOutcome outcome;
    outcome.attempts = 1;
    outcome.good = true;
    double sink = 0;
    const auto t0 = Clock::now();
    for (int i = 0; i < kReads; ++i) {
        const auto started = Clock::now(); // as the link times an attempt
        outcome.replyMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count() + (i & 7);
        model.noteReadOutcome(1 + i % 3, 1 + i % 10, outcome);
        sink += outcome.replyMs;
    }
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / kReads;
    std::printf("line health counting: %.0f ns per read (%d reads; checksum %.0f)\n", ns, kReads, sink);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 7;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 5;
    measureCounting();
    measureCycle(38400, cycles);
    measureCycle(9600, cycles);
    measureIdleCpu(TCommController::kDefaultIdlePause, seconds);
    measureIdleCpu(std::chrono::milliseconds(1), seconds);
    return 0;
}
