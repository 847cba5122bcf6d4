#pragma once

// The communication figures of one station: how its reads ended, attempt by attempt,
// and how long its good replies took. Not guarded: the plant model holds these under
// its lock and changes one in a single step per read.

#include "linktypes.h"
#include "timewindow.h"

#include <chrono>
#include <optional>

struct StationFigures {
    long long transactions = 0; // reads
    long long good = 0;         // reads that ended with a valid reply
    long long timeouts = 0;     // attempts that got nothing or too little back
    long long checksum = 0;     // attempts with a whole reply and a bad check sum
    long long echo = 0;         // attempts whose converter echo did not come back whole
    long long retries = 0;      // attempts after the first of a read
    bool hasReplyTime = false;
    double lastMs = 0;
    double medianMs = 0;
    double p95Ms = 0;
    std::optional<double> secondsSinceFailure; // none: no failed attempt since the zeroing

    double goodPercent() const { return transactions ? 100.0 * double(good) / double(transactions) : 0; }
    bool failedWithin(double seconds) const { return secondsSinceFailure && *secondsSinceFailure < seconds; }
};

class StationHealth {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    // Replies whose times make up the median and the 95th percentile: about a minute
    // of a busy line, small enough to copy and sort once a second.
    static constexpr std::size_t kReplyWindow = 64;

    void note(const ReadOutcome &outcome, TimePoint now);
    StationFigures figures(TimePoint now) const;

private:
    long long transactions_ = 0;
    long long good_ = 0;
    long long timeouts_ = 0;
    long long checksum_ = 0;
    long long echo_ = 0;
    long long retries_ = 0;
    TimeWindow<kReplyWindow> replyTimes_;
    std::optional<TimePoint> lastFailure_;
};
