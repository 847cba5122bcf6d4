// One read transaction through the platform's own serial backend (open, configure,
// write, read, purge, close) against a simulator line, timed transaction by
// transaction. Built by the Linux build (termios backend) and by the Windows cross
// build (Win32 backend, run under Wine), so that both figures come from the same loop
// on the same line: bench/link/wine-vs-posix runs the pair. Google Benchmark has no
// Windows build here, hence this small loop; it reports the median of the
// repetitions' medians.
//
//   bench_link_timing DEVICE rtu|vorn echo|direct STATION [TRANSACTIONS [REPETITIONS]]
//
// DEVICE is a device path on Linux and COMn on Windows.

#include "systemserialport.h"
#include "trs485comm.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int usage()
{
    std::fprintf(stderr, "usage: bench_link_timing DEVICE rtu|vorn echo|direct STATION "
                         "[TRANSACTIONS [REPETITIONS]]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5 || argc > 7)
        return usage();
    const std::string device = argv[1];
    const bool rtu = std::strcmp(argv[2], "rtu") == 0;
    const bool echo = std::strcmp(argv[3], "echo") == 0;
    const int station = std::atoi(argv[4]);
    const int transactions = argc > 5 ? std::atoi(argv[5]) : 200;
    const int repetitions = argc > 6 ? std::atoi(argv[6]) : 9;
    if ((!rtu && std::strcmp(argv[2], "vorn") != 0) || (!echo && std::strcmp(argv[3], "direct") != 0)
        || station < 1 || station > 255 || transactions < 1 || repetitions < 1)
        return usage();

    TRs485Comm comm(systemSerialPortFactory(), [&](int) { return device; });
    comm.Psl = rtu ? TPsl::rtu : TPsl::vorn;
    comm.Converter = echo ? TConverter::RS422_485 : TConverter::RS485;
    comm.ReadRetry = 0;

    // The first transactions pay for what the system sets up once.
    for (int i = 0; i < 20; ++i)
        comm.Receive(station, 0x8A);

    std::vector<double> medians, all;
    int failed = 0;
    for (int r = 0; r < repetitions; ++r) {
        std::vector<double> times;
        for (int i = 0; i < transactions; ++i) {
            const auto start = Clock::now();
            const bool ok = comm.Receive(station, 0x8A);
            const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
            if (!ok) {
                ++failed;
                continue;
            }
            times.push_back(us);
            all.push_back(us);
        }
        medians.push_back(median(times));
    }
    std::sort(all.begin(), all.end());
    const auto at = [&](double q) { return all.empty() ? 0.0 : all[std::size_t(q * double(all.size() - 1))]; };
    std::printf("%s %s/%s station %d: median %.0f us per transaction (repetition medians %.0f..%.0f us; "
                "p10 %.0f, p90 %.0f us; %d of %d failed)\n",
                device.c_str(), rtu ? "rtu" : "vorn", echo ? "echo" : "direct", station, median(medians),
                *std::min_element(medians.begin(), medians.end()), *std::max_element(medians.begin(), medians.end()),
                at(0.1), at(0.9), failed, transactions * repetitions);
    return failed == transactions * repetitions ? 1 : 0;
}
