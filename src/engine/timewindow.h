#pragma once

// The last N times of something (replies, cycles) in a ring of fixed size, so that
// recording one costs no allocation on the engine thread; the median and the upper
// percentiles are worked out from a copy when someone asks.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

// The q-quantile (0 < q <= 1) of `values`, which it sorts: the median (q = 0.5) as the
// mean of the two middle values of an even count, any other q by nearest rank, so a
// 95th percentile is always a time that was really seen. 0 for no values.
inline double quantileOf(float *begin, float *end, double q)
{
    const std::ptrdiff_t n = end - begin;
    if (n <= 0)
        return 0;
    std::sort(begin, end);
    if (q == 0.5)
        return n % 2 ? begin[n / 2] : (double(begin[n / 2 - 1]) + begin[n / 2]) / 2;
    const auto rank = std::ptrdiff_t(std::ceil(q * double(n)));
    return begin[std::clamp<std::ptrdiff_t>(rank, 1, n) - 1];
}

template <std::size_t N>
class TimeWindow {
public:
    void add(double ms)
    {
        times_[next_] = float(ms);
        next_ = (next_ + 1) % N;
        filled_ = std::min(filled_ + 1, N);
        last_ = ms;
    }

    bool empty() const { return filled_ == 0; }
    std::size_t size() const { return filled_; }
    double last() const { return last_; }

    double quantile(double q) const
    {
        std::array<float, N> copy = times_;
        return quantileOf(copy.data(), copy.data() + filled_, q);
    }
    double median() const { return quantile(0.5); }

private:
    std::array<float, N> times_{};
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    double last_ = 0;
};
