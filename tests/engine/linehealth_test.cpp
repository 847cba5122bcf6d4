// Line health figures: the reply-time window, one station's counts, the book the
// plant model keeps, and the poll cycle reporting each read against its slot.

#include "linehealthbook.h"
#include "plantmodel.h"
#include "pollcycle.h"

#include "polledline.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using std::chrono::seconds;
using TimePoint = StationHealth::TimePoint;

TEST(TimeWindow, MedianAndPercentileOverTheLastTimesOnly)
{
    struct Case {
        const char *name;
        std::vector<double> added;
        double median, p95, last;
    } cases[] = {
        {"one", {5}, 5, 5, 5},
        {"even count: mean of the middle two", {4, 1, 3, 2}, 2.5, 4, 2},
        {"p95 by nearest rank", {}, 10.5, 19, 20}, // 1..20, below
        {"the oldest fall out", {}, 68.5, 97, 100}, // 1..100 into 64 places: 37..100
    };
    for (int i = 1; i <= 20; ++i)
        cases[2].added.push_back(i);
    for (int i = 1; i <= 100; ++i)
        cases[3].added.push_back(i);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TimeWindow<64> window;
        for (double ms : c.added)
            window.add(ms);
        EXPECT_EQ(window.size(), std::min<std::size_t>(c.added.size(), 64));
        EXPECT_DOUBLE_EQ(window.median(), c.median);
        EXPECT_DOUBLE_EQ(window.quantile(0.95), c.p95);
        EXPECT_DOUBLE_EQ(window.last(), c.last);
    }
    EXPECT_TRUE(TimeWindow<4>().empty());
}

ReadOutcome outcome(int attempts, int timeouts, int echo, int checksum, bool good, double ms = 0)
{
    ReadOutcome o;
    o.attempts = attempts;
    o.timeouts = timeouts;
    o.echoErrors = echo;
    o.checksumErrors = checksum;
    o.good = good;
    o.replyMs = ms;
    return o;
}

TEST(StationHealth, CountsReadsAttemptsAndTheLastFailure)
{
    const TimePoint t0{};
    StationHealth station;
    station.note(outcome(1, 0, 0, 0, true, 12), t0);
    EXPECT_FALSE(station.figures(t0).secondsSinceFailure) << "no failure yet";

    station.note(outcome(3, 1, 0, 1, true, 30), t0 + seconds(10)); // recovered by retries
    station.note(outcome(2, 1, 1, 0, false), t0 + seconds(20));     // all attempts failed
    station.note(outcome(1, 0, 0, 0, true, 18), t0 + seconds(25));

    const StationFigures f = station.figures(t0 + seconds(50));
    EXPECT_EQ(f.transactions, 4);
    EXPECT_EQ(f.good, 3);
    EXPECT_DOUBLE_EQ(f.goodPercent(), 75);
    EXPECT_EQ(f.timeouts, 2);
    EXPECT_EQ(f.checksum, 1);
    EXPECT_EQ(f.echo, 1);
    EXPECT_EQ(f.retries, 3);
    ASSERT_TRUE(f.hasReplyTime);
    EXPECT_DOUBLE_EQ(f.lastMs, 18);
    EXPECT_DOUBLE_EQ(f.medianMs, 18); // of 12, 30, 18: the failed read has no time
    EXPECT_DOUBLE_EQ(f.p95Ms, 30);
    EXPECT_DOUBLE_EQ(*f.secondsSinceFailure, 30);
    EXPECT_TRUE(f.failedWithin(60));
    EXPECT_FALSE(station.figures(t0 + seconds(81)).failedWithin(60));
}

TEST(LineHealthBook, KeepsStationsApartIgnoresBadIndexesAndZeroesInTheModel)
{
    const TimePoint t0{};
    LineHealthBook book;
    book.noteRead(2, 10, outcome(1, 0, 0, 0, true, 7), t0);
    for (const auto &[p, s] : {std::pair{0, 1}, {4, 1}, {1, 0}, {1, 11}})
        book.noteRead(p, s, outcome(1, 1, 0, 0, false), t0);
    book.noteCycle(3, 400);
    book.noteCycle(3, 500);
    book.noteCycle(0, 1);

    EXPECT_EQ(book.station(2, 10, t0).good, 1);
    for (int p = 1; p <= kPanelCount; ++p)
        for (int s = 1; s <= kSlotCount; ++s)
            if (p != 2 || s != 10)
                EXPECT_EQ(book.station(p, s, t0).transactions, 0) << p << "/" << s;
    EXPECT_EQ(book.station(0, 0, t0).transactions, 0);
    EXPECT_FALSE(book.cycle(1).measured);
    EXPECT_TRUE(book.cycle(3).measured);
    EXPECT_DOUBLE_EQ(book.cycle(3).lastMs, 500);
    EXPECT_DOUBLE_EQ(book.cycle(3).medianMs, 450);

    PlantModel model;
    model.noteReadOutcome(1, 1, outcome(2, 1, 0, 0, true, 9));
    model.noteCycleTime(1, 300);
    const auto now = std::chrono::steady_clock::now();
    EXPECT_EQ(model.lineHealth().station(1, 1, now).retries, 1);
    model.resetLineHealth();
    const LineHealthBook zeroed = model.lineHealth();
    EXPECT_EQ(zeroed.station(1, 1, now).transactions, 0);
    EXPECT_FALSE(zeroed.station(1, 1, now).secondsSinceFailure);
    EXPECT_FALSE(zeroed.station(1, 1, now).hasReplyTime);
    EXPECT_FALSE(zeroed.cycle(1).measured);
}

class LineHealthPolling : public ::testing::Test, protected PolledLine {
protected:
    void SetUp() override
    {
        model.setLineSettings(1, LineSettings{1, 9600, TConverter::RS422_485, TPsl::rtu});
        for (int p = 2; p <= 3; ++p) {
            model.setLineSettings(p, LineSettings{p, 9600, TConverter::RS422_485, TPsl::rtu});
            bench.setPortMissing(p, true);
        }
        for (int s = 1; s <= 3; ++s)
            bench.addController(1, s);
    }

    StationFigures figures(int panel, int slot)
    {
        return model.lineHealth().station(panel, slot, std::chrono::steady_clock::now());
    }
};

TEST_F(LineHealthPolling, EachReadCountsAgainstItsOwnSlot)
{
    bench.failNext(1, 2, PollCycle::kRegPv, 1);
    cycle.runCycle();

    // Slot 1: PV, status, SV and output, each answered at the first attempt.
    const StationFigures answering = figures(1, 1);
    EXPECT_EQ(answering.transactions, 4);
    EXPECT_EQ(answering.good, 4);
    EXPECT_EQ(answering.retries, 0);
    EXPECT_TRUE(answering.hasReplyTime);
    EXPECT_FALSE(answering.secondsSinceFailure);

    // Slot 2: its PV read got only the echo back, six times; nothing more was asked.
    const StationFigures failing = figures(1, 2);
    EXPECT_EQ(failing.transactions, 1);
    EXPECT_EQ(failing.good, 0);
    EXPECT_EQ(failing.timeouts, 6);
    EXPECT_EQ(failing.retries, 5);
    EXPECT_EQ(failing.checksum + failing.echo, 0);
    EXPECT_TRUE(failing.failedWithin(60));

    // A port that cannot be opened: one failed attempt per read, as nothing came back.
    EXPECT_EQ(figures(2, 1).transactions, 1);
    EXPECT_EQ(figures(2, 1).timeouts, 1);
    EXPECT_EQ(figures(2, 1).retries, 0);
    for (int p = 1; p <= kPanelCount; ++p)
        EXPECT_TRUE(model.lineHealth().cycle(p).measured) << p;
}

TEST_F(LineHealthPolling, ReadCutShortByTheStopIsNotCounted)
{
    bench.setHook([this](const FakeTransaction &t) {
        if (t.station == 2)
            stop = true;
    });
    cycle.runCycle();
    EXPECT_EQ(figures(1, 1).transactions, 4);
    EXPECT_EQ(figures(1, 2).transactions, 0);
    EXPECT_FALSE(model.lineHealth().cycle(1).measured) << "an unfinished panel has no cycle time";
}

} // namespace
