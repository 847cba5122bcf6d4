// What `tempmon-link stats` prints from a run of read outcomes.

#include "linkstats.h"

#include <gtest/gtest.h>

namespace {

ReadOutcome read(int timeouts, int echo, int checksum, bool good, double ms = 0)
{
    ReadOutcome o;
    o.attempts = timeouts + echo + checksum + (good ? 1 : 0);
    o.timeouts = timeouts;
    o.echoErrors = echo;
    o.checksumErrors = checksum;
    o.good = good;
    o.replyMs = ms;
    return o;
}

TEST(LinkStats, AddsUpAttemptsAndTakesTheTimesOfGoodRepliesOnly)
{
    LinkStats stats;
    stats.add(read(0, 0, 0, true, 20.04));
    stats.add(read(0, 0, 1, true, 22.5));
    stats.add(read(4, 2, 0, false));
    stats.add(read(1, 0, 0, true, 31.25));
    EXPECT_EQ(stats.good(), 3);
    EXPECT_EQ(stats.report(), "transactions 4\ngood 3\ntimeouts 5\nchecksum 1\necho 2\n"
                              "median_ms 22.5\np95_ms 31.2\n");
}

TEST(LinkStats, NoGoodReplyHasNoTimes)
{
    LinkStats stats;
    stats.add(read(2, 0, 0, false));
    EXPECT_EQ(stats.good(), 0);
    EXPECT_EQ(stats.report(), "transactions 1\ngood 0\ntimeouts 2\nchecksum 0\necho 0\n"
                              "median_ms -\np95_ms -\n");
}

} // namespace
