#pragma once

// What `tempmon-link stats` prints: the outcomes of a run of reads added up, and the
// median and 95th percentile of the good replies' times over the whole run.

#include "linktypes.h"

#include <string>
#include <vector>

class LinkStats {
public:
    void add(const ReadOutcome &outcome);
    long long good() const { return good_; }
    // "transactions K", "good N", "timeouts N", "checksum N", "echo N", "median_ms X",
    // "p95_ms X", one a line; X has one decimal, or is "-" when no reply was good.
    std::string report() const;

private:
    long long transactions_ = 0;
    long long good_ = 0;
    long long timeouts_ = 0;
    long long checksum_ = 0;
    long long echo_ = 0;
    std::vector<float> replyMs_;
};
