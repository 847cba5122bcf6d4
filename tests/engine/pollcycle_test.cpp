#include "pollcycle.h"

#include "frames.h"
#include "polledline.h"
#include "valueformat.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
constexpr int kPv = 0x8A;
constexpr int kStatus = 0x88;
constexpr int kSv = 0x00;
constexpr int kOut = 0x87;
constexpr int kModel = 0x86;
constexpr int kInput = 0x48;
constexpr int kDpReg = 0x4B;

const int kBaud[] = {0, 9600, 19200, 38400};

int stationOf(int panel, int slot)
{
    return (panel - 1) * 10 + slot;
}

// Three panels on ports 1..3 at different speeds, panel 3 in the native protocol,
// thirty answering controllers with distinct readings.
class PollCycleTest : public ::testing::Test, protected PolledLine {
protected:
    void SetUp() override
    {
        for (int p = 1; p <= 3; ++p) {
            model.setLineSettings(p, LineSettings{p, kBaud[p], TConverter::RS422_485,
                                                  p == 3 ? TPsl::vorn : TPsl::rtu});
            for (int s = 1; s <= 10; ++s)
                bench.addController(p, stationOf(p, s), 1000 * p + 10 * s + 1, 2000 + s);
        }
    }

    std::vector<FakeTransaction> readsOf(int port, int station, int reg) const
    {
        std::vector<FakeTransaction> out;
        for (const FakeTransaction &t : bench.transactions())
            if (t.port == port && t.station == station && t.reg == reg && !t.write)
                out.push_back(t);
        return out;
    }
    std::vector<FakeTransaction> writes() const
    {
        std::vector<FakeTransaction> out;
        for (const FakeTransaction &t : bench.transactions())
            if (t.write)
                out.push_back(t);
        return out;
    }
    void cycles(int n)
    {
        for (int i = 0; i < n; ++i)
            cycle.runCycle();
    }
};

TEST_F(PollCycleTest, ReadsEverySlotInOrderAndStoresFormattedTexts)
{
    // Every slot has an alarm point its reading lies far above, so each good SV read
    // is followed by an evaluation that announces, with the texts just stored.
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 10; ++s) {
            model.setDp(p, s, s % 4);
            model.setAlarmPoint(p, s, AlarmLimits{QStringLiteral("-100000"), QStringLiteral("100000"), true});
        }
    EXPECT_GT(cycle.runCycle(), 0);

    const std::vector<FakeTransaction> log = bench.transactions();
    ASSERT_EQ(log.size(), 120u);
    const int regs[] = {kPv, kStatus, kSv, kOut};
    for (std::size_t i = 0; i < log.size(); ++i) {
        const int p = int(i / 40) + 1;
        const int s = int(i % 40) / 4 + 1;
        EXPECT_EQ(log[i].port, p) << i;
        EXPECT_EQ(log[i].baud, kBaud[p]) << i;
        EXPECT_EQ(log[i].station, stationOf(p, s)) << i;
        EXPECT_EQ(log[i].reg, regs[i % 4]) << i;
        EXPECT_EQ(log[i].attempts, 1) << i;
    }
    ASSERT_EQ(events.alarms.size(), 30u);
    for (int p = 1; p <= 3; ++p) {
        for (int s = 1; s <= 10; ++s) {
            const SlotReading r = model.reading(p, s);
            EXPECT_EQ(r.PvText, formatReading(1000 * p + 10 * s + 1, s % 4));
            EXPECT_EQ(r.SvText, formatReading(2000 + s, s % 4));
            EXPECT_EQ(r.OutText, QStringLiteral("500"));
            const AlarmAnnouncement &a = events.alarms[std::size_t((p - 1) * 10 + s - 1)];
            EXPECT_EQ(a.panel, p);
            EXPECT_EQ(a.slot, s);
            EXPECT_EQ(a.side, AlarmSide::High);
            EXPECT_EQ(a.number, 1);
            EXPECT_EQ(a.time, clock.at.time());
        }
    }
    EXPECT_EQ(model.reading(1, 2).PvText, QStringLiteral("10.21"));
}

TEST_F(PollCycleTest, LinkedControllerUnlinksAtItsFourthFailedPvRead)
{
    bench.setRegister(1, 3, kStatus, 0x19);
    cycle.runCycle();
    ASSERT_FALSE(model.reading(1, 3).PvText.isEmpty());
    ASSERT_EQ(model.readingsSnapshot(1).slotSnapshots[3].lamps, TileLamps::fromStatus(0x19));
    bench.setSilent(1, 3, true);
    events.clear();
    bench.clearTransactions();

    for (int n = 1; n <= 3; ++n) {
        cycle.runCycle();
        EXPECT_EQ(model.failCount(1, 3), n);
        EXPECT_FALSE(model.unlinked(1, 3));
        EXPECT_FALSE(model.reading(1, 3).PvText.isEmpty()) << "a failed read keeps the text";
    }
    EXPECT_EQ(events.scanLamps.size(), 29u * 3); // the silent slot lights no lamp
    cycle.runCycle();
    EXPECT_TRUE(model.unlinked(1, 3));
    EXPECT_EQ(model.failCount(1, 3), 0);
    const SlotReading r = model.reading(1, 3);
    EXPECT_TRUE(r.PvText.isEmpty() && r.SvText.isEmpty() && r.OutText.isEmpty());
    const SlotSnapshot shown = model.readingsSnapshot(1).slotSnapshots[3];
    EXPECT_EQ(shown.lamps, TileLamps{}) << "its tile lamps go dark with the texts";
    EXPECT_FALSE(shown.linked);
    EXPECT_NE(std::find(events.scanLamps.begin(), events.scanLamps.end(),
                        RecordingEvents::Pair{0, 0}),
              events.scanLamps.end());

    // Six attempts per read while linked, and only PV was asked.
    const auto pvReads = readsOf(1, 3, kPv);
    ASSERT_EQ(pvReads.size(), 4u);
    for (const auto &t : pvReads)
        EXPECT_EQ(t.attempts, 6);
    EXPECT_TRUE(readsOf(1, 3, kSv).empty());

    // Unlinked and ScanAll off: the slot costs nothing.
    bench.clearTransactions();
    cycle.runCycle();
    EXPECT_TRUE(readsOf(1, 3, kPv).empty());

    // ScanAll on: two attempts per read; back with its first good PV read.
    model.setScanAll(true);
    cycle.runCycle();
    ASSERT_EQ(readsOf(1, 3, kPv).size(), 1u);
    EXPECT_EQ(readsOf(1, 3, kPv)[0].attempts, 2);
    EXPECT_TRUE(model.unlinked(1, 3));
    bench.setSilent(1, 3, false);
    cycle.runCycle();
    EXPECT_FALSE(model.unlinked(1, 3));
    EXPECT_FALSE(model.reading(1, 3).SvText.isEmpty());
}

TEST_F(PollCycleTest, FailedSvReadMakesTheThirdFailedPvReadUnlink)
{
    cycle.runCycle();
    // An alarm point the reading is always beyond: any evaluation would announce.
    model.setAlarmPoint(2, 5, AlarmLimits{QStringLiteral("-100000"), QStringLiteral("100000"), true});
    const QString sv = model.reading(2, 5).SvText;
    bench.setRegister(2, 15, kSv, 2999);
    bench.failNext(2, 15, kSv, 1);
    events.clear();
    cycle.runCycle();
    EXPECT_EQ(model.reading(2, 5).SvText, sv) << "a failed SV read keeps the previous text";
    EXPECT_EQ(model.failCount(2, 5), 1);
    EXPECT_FALSE(std::any_of(events.alarms.begin(), events.alarms.end(),
                             [](const auto &a) { return a.panel == 2 && a.slot == 5; }))
        << "no alarm evaluation without a good SV";

    bench.setSilent(2, 15, true);
    cycle.runCycle();
    cycle.runCycle();
    EXPECT_FALSE(model.unlinked(2, 5));
    EXPECT_EQ(model.failCount(2, 5), 3);
    cycle.runCycle();
    EXPECT_TRUE(model.unlinked(2, 5));
}

TEST_F(PollCycleTest, ControllerAnsweringEveryOtherPvReadNeverUnlinks)
{
    bench.answerEveryOther(3, 27, kPv);
    for (int i = 0; i < 12; ++i) {
        cycle.runCycle();
        EXPECT_FALSE(model.unlinked(3, 7)) << "cycle " << i;
        EXPECT_EQ(model.failCount(3, 7), i % 2 == 0 ? 1 : 0) << "cycle " << i;
    }
    EXPECT_EQ(readsOf(3, 27, kSv).size(), 6u);
}

TEST_F(PollCycleTest, WithoutDetailPollingNoStatusReadAndNoLamps)
{
    model.setDetailPolling(false);
    bench.setRegister(2, 12, kStatus, 0x19);
    cycle.runCycle();
    for (const FakeTransaction &t : bench.transactions())
        EXPECT_NE(t.reg, kStatus);
    EXPECT_EQ(bench.transactions().size(), 90u);
    EXPECT_EQ(model.readingsSnapshot(2).slotSnapshots[2].lamps, TileLamps{});
    EXPECT_TRUE(events.scanLamps.empty());
    EXPECT_FALSE(model.reading(2, 2).SvText.isEmpty());
}

TEST_F(PollCycleTest, StatusBitsSetTheFourLamps)
{
    struct Case {
        int status;
        TileLamps lamps;
    };
    const Case cases[] = {
        {0x0019, {true, false, true, true}},  // OUT1, AL1, AL2
        {0x0002, {false, true, false, false}},
        {0x0024, {false, false, false, false}}, // bits 2 and 5 are not lamps
        {-1, {true, true, true, true}},          // 0xFFFF: the two's-complement bits count
        {-32768, {false, false, false, false}},  // 0x8000
        {0, {false, false, false, false}},
    };
    for (const Case &c : cases) {
        bench.setRegister(1, 1, kStatus, c.status);
        events.clear();
        cycle.pollSlot(1, 1);
        EXPECT_EQ(model.readingsSnapshot(1).slotSnapshots[1].lamps, c.lamps) << c.status;
        ASSERT_EQ(events.scanLamps.size(), 1u);
        EXPECT_EQ(events.scanLamps[0], (RecordingEvents::Pair{1, 1}));
    }
    // A failed status read leaves the lamps alone.
    bench.setRegister(1, 1, kStatus, 0x19);
    cycle.pollSlot(1, 1);
    bench.setRegister(1, 1, kStatus, 0);
    bench.failNext(1, 1, kStatus, 1);
    events.clear();
    cycle.pollSlot(1, 1);
    EXPECT_EQ(model.readingsSnapshot(1).slotSnapshots[1].lamps, TileLamps::fromStatus(0x19));
    EXPECT_EQ(events.scanLamps.size(), 1u);
}

TEST_F(PollCycleTest, FailedOutputReadEmptiesTheOutputAtOnce)
{
    cycle.pollSlot(1, 4);
    ASSERT_EQ(model.reading(1, 4).OutText, QStringLiteral("500"));
    bench.failNext(1, 4, kOut, 1);
    cycle.pollSlot(1, 4);
    EXPECT_TRUE(model.reading(1, 4).OutText.isEmpty());
    EXPECT_EQ(model.failCount(1, 4), 0);
}

TEST_F(PollCycleTest, WritePlacedDuringSlotFourOfPanelTwoGoesOutBeforeSlotFive)
{
    model.setDp(1, 3, 1);
    bool placed = false;
    bench.setHook([&](const FakeTransaction &t) {
        if (!placed && t.port == 2 && t.station == 14 && t.reg == kPv) {
            placed = true;
            model.RequestWrite(1, 3, 0, QStringLiteral("25.3"));
        }
    });
    cycle.runCycle();
    const auto log = bench.transactions();
    const auto write = std::find_if(log.begin(), log.end(), [](const auto &t) { return t.write; });
    ASSERT_NE(write, log.end());
    EXPECT_EQ(write->port, 1);
    EXPECT_EQ(write->baud, kBaud[1]);
    EXPECT_EQ(write->station, 3);
    EXPECT_EQ(write->reg, 0);
    EXPECT_EQ(write->value, 253);
    const auto prev = std::prev(write);
    const auto next = std::next(write);
    ASSERT_NE(next, log.end());
    EXPECT_TRUE(prev->station == 14 && prev->reg == kOut) << "after slot 4 of panel 2";
    EXPECT_TRUE(next->station == 15 && next->reg == kPv) << "before slot 5 of panel 2";
    EXPECT_FALSE(model.writePending());
    EXPECT_EQ(writes().size(), 1u);
}

TEST_F(PollCycleTest, OnlyTheLaterOfTwoRequestsIsSent)
{
    model.RequestWrite(1, 1, 0, QStringLiteral("11"));
    model.RequestWrite(1, 2, 0, QStringLiteral("22"));
    cycle.runCycle();
    const auto w = writes();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].station, 2);
    EXPECT_EQ(w[0].value, 22);
}

TEST_F(PollCycleTest, RequestPlacedWhileAWriteIsSentGoesOutBeforeTheNextSlot)
{
    bool again = false;
    bench.setHook([&](const FakeTransaction &t) {
        if (t.write && !again) {
            again = true;
            model.RequestWrite(3, 9, 71, QStringLiteral("4369"));
        }
    });
    model.RequestWrite(1, 1, 0, QStringLiteral("5"));
    cycle.runCycle();
    const auto log = bench.transactions();
    ASSERT_GE(log.size(), 7u);
    EXPECT_TRUE(log[0].write && log[0].station == 1);
    // Slot 1 of panel 1 is polled meanwhile (PV, status, SV, output)...
    EXPECT_TRUE(log[1].station == 1 && log[1].reg == kPv);
    EXPECT_TRUE(log[4].station == 1 && log[4].reg == kOut);
    // ...and the newer request goes out before slot 2.
    EXPECT_TRUE(log[5].write && log[5].station == 29 && log[5].value == 0x1111);
    EXPECT_EQ(log[5].port, 3);
    EXPECT_TRUE(log[6].station == 2 && log[6].reg == kPv);
    EXPECT_FALSE(model.writePending());
}

TEST_F(PollCycleTest, WriteUsesTheScaleOfItsCode)
{
    struct Case {
        int panel;
        int code;
        int dp;
        const char *text;
        std::uint16_t sent;
    };
    const Case cases[] = {
        {1, 0, 1, "25.3", 253},     {3, 0, 1, "-5", 0xFFCE},     {1, 1, 1, "100", 1000},
        {3, 101, 1, "0.5", 500},    {1, 0, 1, "25.37", 253},     {1, 0, 1, "-25.37", 0xFF03},
        {3, 58, 1, "12.9", 12},     {1, 0, 0, "25.3", 25},       {1, 71, 0, "4369", 0x1111},
        {3, 2, 2, "1", 1},          {1, 9, 2, "0.29", 29},       {1, 96, 3, "7", 7},
    };
    for (const Case &c : cases) {
        bench.clearTransactions();
        model.setDp(c.panel, 6, c.dp);
        model.RequestWrite(c.panel, 6, std::uint8_t(c.code), QString::fromUtf8(c.text));
        cycle.ExecuteWrite();
        const auto w = writes();
        ASSERT_EQ(w.size(), 1u) << c.text;
        EXPECT_EQ(w[0].value, c.sent) << c.code << " " << c.text;
        EXPECT_EQ(w[0].reg, mapWriteAddress(TAddress(c.code)));
        EXPECT_EQ(w[0].station, stationOf(c.panel, 6));
        EXPECT_EQ(w[0].port, c.panel);
        EXPECT_EQ(bench.registerValue(c.panel, stationOf(c.panel, 6), w[0].reg),
                  std::int16_t(c.sent));
    }
}

// A write goes out on its own panel's line; the slot polled next is asked on that
// slot's line again.
TEST_F(PollCycleTest, WriteGoesOnItsLineAndTurnsDetailPollingBackOn)
{
    model.setDetailPolling(false); // as the recipe page leaves it
    model.RequestWrite(2, 1, 0, QStringLiteral("1"));
    cycle.runCycle();
    const std::vector<FakeTransaction> log = bench.transactions();
    ASSERT_GE(log.size(), 2u);
    EXPECT_TRUE(log[0].write) << "sent before the first slot";
    EXPECT_EQ(log[0].port, 2);
    EXPECT_EQ(log[0].baud, kBaud[2]);
    EXPECT_EQ(log[0].station, stationOf(2, 1));
    EXPECT_EQ(log[1].port, 1);
    EXPECT_EQ(log[1].baud, kBaud[1]);
    EXPECT_EQ(log[1].station, stationOf(1, 1));
    for (const FakeTransaction &t : log)
        EXPECT_EQ(t.baud, kBaud[t.port]);
    EXPECT_EQ(writes().size(), 1u);
    EXPECT_TRUE(model.detailPolling());
    EXPECT_FALSE(model.writePending());
}

TEST_F(PollCycleTest, WriteToAPortThatCannotOpenStillLowersThePendingFlag)
{
    bench.setPortMissing(2, true);
    model.RequestWrite(2, 1, 0, QStringLiteral("1"));
    cycle.ExecuteWrite();
    EXPECT_TRUE(writes().empty());
    EXPECT_FALSE(model.writePending());
    EXPECT_TRUE(events.rejections.empty()) << "an unconfirmed write is not a rejection";
}

TEST_F(PollCycleTest, RequestThatCannotBeSentIsDroppedAndReported)
{
    struct Case {
        int panel;
        int slot;
        int code;
        int dp;
        const char *text;
        WriteRejection reason;
    };
    constexpr WriteRejection NaN = WriteRejection::NotANumber;
    constexpr WriteRejection Range = WriteRejection::OutOfRange;
    constexpr WriteRejection Slot = WriteRejection::NoSuchSlot;
    const Case cases[] = {
        {1, 1, 0, 1, "", NaN},      {1, 1, 0, 1, ".", NaN},       {1, 1, 0, 1, "1.2.3", NaN},
        {1, 1, 95, 1, "abc", NaN},  {1, 1, 0, 1, "1e5", NaN},     {2, 3, 0, 2, "2000", Range},
        {2, 3, 101, 0, "40", Range}, {4, 1, 0, 0, "1", Slot},     {1, 11, 0, 0, "1", Slot},
        {0, 0, 0, 0, "1", Slot},
    };
    for (const Case &c : cases) {
        events.clear();
        bench.clearTransactions();
        model.setDp(c.panel, c.slot, c.dp);
        model.setDetailPolling(false);
        model.RequestWrite(c.panel, c.slot, std::uint8_t(c.code), QString::fromUtf8(c.text));
        cycle.runCycle();
        EXPECT_TRUE(writes().empty()) << c.text;
        EXPECT_FALSE(model.writePending()) << c.text;
        EXPECT_TRUE(model.detailPolling()) << c.text;
        ASSERT_EQ(events.rejections.size(), 1u) << c.text;
        const auto &r = events.rejections[0];
        EXPECT_EQ(r.panel, c.panel);
        EXPECT_EQ(r.slot, c.slot);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.valueText, QString::fromUtf8(c.text));
        EXPECT_EQ(r.reason, c.reason) << c.text;
        // The engine carries on with the whole cycle.
        EXPECT_EQ(bench.transactions().size(), 120u) << c.text;
    }
}

TEST_F(PollCycleTest, RescanRequestedTwiceRunsOnce)
{
    bool pressedAgain = false;
    bench.setHook([&](const FakeTransaction &t) {
        if (t.reg == kModel && !pressedAgain) {
            pressedAgain = true;
            model.setRescanRequested(true); // a second press while the scan runs
        }
    });
    model.setRescanRequested(true);
    cycle.runCycle();
    int modelReads = 0;
    for (const FakeTransaction &t : bench.transactions())
        modelReads += t.reg == kModel;
    EXPECT_EQ(modelReads, 30);
    EXPECT_FALSE(model.rescanRequested());
    EXPECT_EQ(bench.transactions().front().reg, kModel) << "the scan runs before slot 1";
}

TEST_F(PollCycleTest, ScanDerivesDecimalPlacesAndLinkState)
{
    struct Case {
        int slot;
        int modelCode;
        int inputType;
        int dpRegister;
        int failReg; // register whose next read fails, or -1; -2: controller silent
        int dpBefore;
        bool unlinkedBefore;
        int dpAfter;
        bool unlinkedAfter;
    };
    const Case cases[] = {
        {1, 104, 0, 0, -1, 3, true, 1, false},
        {2, 104, 2, 0, -1, 3, false, 0, false},
        {3, 104, 53, 2, -1, 0, false, 2, false},
        {4, 7, 9, 0, -1, 0, false, 1, false},
        {5, 7, 18, 3, -1, 0, false, 3, false},
        {6, 7, 25, 0, -1, 2, false, 2, false},      // beyond table B: unchanged
        {7, 104, 53, 2, kDpReg, 3, false, 3, false}, // DP register read fails
        {8, 104, 0, 0, -2, 2, true, 2, true},        // silent: nothing changes
        {9, 7, 1, 0, kInput, 2, false, 0, true},     // model answered, input type not
        {10, 104, 54, 7, -1, 1, false, 1, false},    // a DP the display cannot use
    };
    for (const Case &c : cases) {
        for (int p : {1, 3}) {
            const int st = stationOf(p, c.slot);
            bench.setRegister(p, st, kModel, c.modelCode);
            bench.setRegister(p, st, kInput, c.inputType);
            bench.setRegister(p, st, kDpReg, c.dpRegister);
            if (c.failReg == -2)
                bench.setSilent(p, st, true);
            else if (c.failReg >= 0)
                bench.failNext(p, st, c.failReg, 1);
            model.setDp(p, c.slot, c.dpBefore);
            model.setUnlinked(p, c.slot, c.unlinkedBefore);
        }
    }
    // Panel 2's port is missing: every read fails at once, its bar still runs to 10.
    bench.setPortMissing(2, true);
    model.setUnlinked(2, 4, true);
    model.setDp(2, 4, 2);
    model.setRescanRequested(true);

    cycle.scanDecimalPoints();

    for (const Case &c : cases) {
        for (int p : {1, 3}) {
            EXPECT_EQ(model.dp(p, c.slot), c.dpAfter) << "panel " << p << " slot " << c.slot;
            EXPECT_EQ(model.unlinked(p, c.slot), c.unlinkedAfter)
                << "panel " << p << " slot " << c.slot;
        }
    }
    EXPECT_TRUE(model.unlinked(2, 4));
    EXPECT_EQ(model.dp(2, 4), 2);
    EXPECT_FALSE(model.unlinked(2, 5));

    std::vector<RecordingEvents::Pair> expected;
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 10; ++s)
            expected.push_back({p, s});
    EXPECT_EQ(events.progress, expected);
    EXPECT_FALSE(model.rescanRequested());
    // Four attempts per scan read; only linear types ask for the DP register.
    EXPECT_EQ(readsOf(1, stationOf(1, 8), kModel).at(0).attempts, 4);
    EXPECT_TRUE(readsOf(1, stationOf(1, 1), kDpReg).empty());
    EXPECT_EQ(readsOf(3, stationOf(3, 3), kDpReg).size(), 1u);
    for (const FakeTransaction &t : bench.transactions())
        EXPECT_EQ(t.baud, kBaud[t.port]);
}

TEST_F(PollCycleTest, NothingIsSentOnceStopIsRequested)
{
    const QString before = model.reading(1, 5).PvText;
    bench.setHook([&](const FakeTransaction &t) {
        if (t.station == 5 && t.reg == kPv) {
            stop = true;
            model.RequestWrite(2, 1, 0, QStringLiteral("1"));
        }
    });
    cycle.runCycle();
    const auto log = bench.transactions();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().station, 5);
    EXPECT_EQ(log.back().reg, kPv);
    EXPECT_EQ(model.reading(1, 5).PvText, before) << "the abandoned read is not stored";
    EXPECT_TRUE(model.writePending()) << "a request pending at the end is not sent";
    cycle.scanDecimalPoints();
    cycle.ExecuteWrite();
    cycle.pollSlot(2, 2);
    EXPECT_EQ(bench.transactions().size(), log.size());
    EXPECT_TRUE(events.progress.empty());
}
} // namespace
