#include "plantmodel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

namespace {
TEST(PlantModel, StartsWithTheInstallationDefaults)
{
    PlantModel m;
    for (int p = 1; p <= kPanelCount; ++p) {
        const LineSettings line = m.lineSettings(p);
        EXPECT_EQ(line.ComPort, 1);
        EXPECT_EQ(line.BaudRate, 2400);
        EXPECT_EQ(line.Converter, TConverter::RS422_485);
        EXPECT_EQ(line.Psl, TPsl::rtu);
        for (int s = 1; s <= kSlotCount; ++s) {
            const SlotRecord r = m.slot(p, s);
            EXPECT_EQ(r.StationId, (p - 1) * 10 + s) << p << "/" << s;
            EXPECT_TRUE(r.reading.PvText.isEmpty());
            EXPECT_TRUE(r.reading.SvText.isEmpty());
            EXPECT_TRUE(r.reading.OutText.isEmpty());
            EXPECT_EQ(r.Dp, 0);
            EXPECT_FALSE(r.Unlinked);
            EXPECT_EQ(r.FailCount, 0);
            EXPECT_FALSE(r.limits.FirstAlarm);
            EXPECT_EQ(r.alarm.EventCount, 0);
        }
    }
    EXPECT_FALSE(m.scanAll());
    EXPECT_TRUE(m.detailPolling());
    EXPECT_FALSE(m.rescanRequested());
    EXPECT_FALSE(m.writePending());
    EXPECT_FALSE(m.pendingWrite().has_value());
}

TEST(PlantModel, IndexesOutsideTheTablesAreIgnored)
{
    PlantModel m;
    for (auto [p, s] : {std::pair{0, 1}, {4, 1}, {1, 0}, {1, 11}, {-1, -1}}) {
        m.storePv(p, s, QStringLiteral("1"));
        m.setStationId(p, s, 99);
        EXPECT_TRUE(m.reading(p, s).PvText.isEmpty());
        EXPECT_EQ(m.stationId(p, s), 0);
    }
    m.setLineSettings(4, LineSettings{9, 9600, TConverter::RS485, TPsl::vorn});
    EXPECT_EQ(m.lineSettings(3).ComPort, 1);
}

TEST(PlantModel, LaterRequestReplacesAPendingOne)
{
    PlantModel m;
    m.RequestWrite(1, 2, 0, QStringLiteral("25.3"));
    m.RequestWrite(2, 4, 5, QStringLiteral("30"));
    const auto taken = m.pendingWrite();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->panel, 2);
    EXPECT_EQ(taken->slot, 4);
    EXPECT_EQ(taken->code, 5);
    EXPECT_EQ(taken->valueText, QStringLiteral("30"));
    m.finishWrite(*taken);
    EXPECT_FALSE(m.writePending());
}

TEST(PlantModel, RequestPlacedWhileSendingStaysPending)
{
    PlantModel m;
    m.RequestWrite(1, 1, 0, QStringLiteral("10"));
    const auto taken = m.pendingWrite();
    ASSERT_TRUE(taken);
    // Same fields as the one being sent: still a new request, it must go out too.
    m.RequestWrite(1, 1, 0, QStringLiteral("10"));
    m.finishWrite(*taken);
    EXPECT_TRUE(m.writePending());
    const auto next = m.pendingWrite();
    ASSERT_TRUE(next);
    m.finishWrite(*next);
    EXPECT_FALSE(m.writePending());
}

// What the window side does to get the engine going before its pause is over.
struct WakeCause {
    const char *name;
    std::function<void(PlantModel &)> place;
};

const WakeCause kWakeCauses[] = {
    {"write request", [](PlantModel &m) { m.RequestWrite(1, 1, 0, QStringLiteral("1")); }},
    {"rescan request", [](PlantModel &m) { m.setRescanRequested(true); }},
    {"ScanAll switched on", [](PlantModel &m) { m.setScanAll(true); }},
    {"stop", [](PlantModel &m) { m.wakeEngine(); }},
};

// Long enough that a missed wake-up cannot pass for a quick one, short enough that
// the miss fails the test in seconds; the bound leaves room for a loaded machine.
constexpr std::chrono::milliseconds kLongPause{4000};
constexpr long long kWakeBoundMs = 1500;

// Milliseconds the wait took.
long long timedWait(PlantModel &m, std::chrono::milliseconds timeout)
{
    const auto start = std::chrono::steady_clock::now();
    m.waitForRequest(timeout);
    const auto waited = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::milliseconds>(waited).count();
}

TEST(PlantModel, WaitEndsAtOnceWhenWorkIsWaiting)
{
    for (const WakeCause &cause : kWakeCauses) {
        SCOPED_TRACE(cause.name);
        PlantModel m;
        cause.place(m);
        EXPECT_LT(timedWait(m, kLongPause), kWakeBoundMs);
    }
}

TEST(PlantModel, WaitEndsWhenTheWindowSidePlacesWork)
{
    for (const WakeCause &cause : kWakeCauses) {
        SCOPED_TRACE(cause.name);
        PlantModel m;
        std::thread window([&] { cause.place(m); });
        const auto waited = timedWait(m, kLongPause);
        window.join();
        EXPECT_LT(waited, kWakeBoundMs);
    }
}

TEST(PlantModel, WaitTakesItsTimeoutWhenNothingCalls)
{
    using namespace std::chrono_literals;
    PlantModel m;
    EXPECT_GE(timedWait(m, 30ms), 30);

    // ScanAll wakes the engine when it is switched on, not for as long as it stays
    // on: the engine's pause must not become a busy loop.
    m.setScanAll(true);
    m.waitForRequest(kLongPause);
    EXPECT_GE(timedWait(m, 30ms), 30);
    // Switching ScanAll off asks for nothing.
    m.setScanAll(false);
    EXPECT_GE(timedWait(m, 30ms), 30);
}

// Two threads hammer the shared fields; every copy a reader sees must be one the
// writer stored whole. Also the race detector's target.
TEST(PlantModel, ConcurrentWritersAndReadersSeeWholeValues)
{
    PlantModel m;
    // The window side runs until the engine side has taken enough requests; the
    // bound only keeps a broken build from spinning forever.
    constexpr int kTaken = 2000;
    constexpr long kMaxRounds = 20000000;
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::atomic<int> sent{0};

    std::thread engine([&] {
        unsigned lastSerial = 0;
        while (!done.load()) {
            if (auto r = m.pendingWrite()) {
                // Window requests carry text == QString::number(slot * 1000 + code).
                if (r->valueText != QString::number(r->slot * 1000 + r->code))
                    ++torn;
                if (r->serial != lastSerial)
                    ++sent;
                lastSerial = r->serial;
                m.finishWrite(*r);
            }
            const int n = sent.load() % 1000;
            m.setReading(1, 1, SlotReading{QString::number(n), QString::number(n),
                                           QString::number(n)});
            m.storePv(2, 2, QString::number(n).repeated(20));
        }
    });

    long i = 0;
    for (; sent.load() < kTaken && i < kMaxRounds; ++i) {
        const int slot = 1 + int(i % kSlotCount);
        const int code = int(i % 118);
        m.RequestWrite(1, slot, static_cast<std::uint8_t>(code),
                       QString::number(slot * 1000 + code));
        const SlotReading r = m.reading(1, 1);
        if (r.PvText != r.SvText || r.SvText != r.OutText)
            ++torn;
        const QString pv = m.reading(2, 2).PvText;
        if (!pv.isEmpty() && pv != pv.left(pv.size() / 20).repeated(20))
            ++torn;
        m.setStationId(1, slot, int(i));
    }
    // The last request must not be lost: it goes out or is still pending.
    done.store(true);
    engine.join();
    EXPECT_EQ(torn.load(), 0);
    EXPECT_GE(sent.load(), kTaken);
    // The last request is not lost: it went out or is still pending, never replaced by
    // an older one.
    if (m.writePending()) {
        const long last = i - 1;
        EXPECT_EQ(m.pendingWrite()->valueText,
                  QString::number((1 + last % kSlotCount) * 1000 + last % 118));
    }
}
// The engine's outcomes go in whole: a window reading the slot never sees it marked
// unlinked while its old texts are still there, nor a count left over from before.
TEST(PlantModel, PollOutcomesAreSeenWhole)
{
    PlantModel m;
    std::atomic<bool> done{false};
    std::thread engine([&] {
        for (int round = 0; round < 20000; ++round) {
            m.storePv(1, 4, QStringLiteral("25.0"));
            m.storeSv(1, 4, QStringLiteral("30.0"));
            m.storeOutput(1, 4, QStringLiteral("537"));
            for (int failure = 0; failure < 4; ++failure)
                m.notePvFailure(1, 4);
        }
        done.store(true);
    });
    int halfSeen = 0;
    while (!done.load()) {
        const SlotRecord r = m.slot(1, 4);
        if (r.Unlinked && (!r.reading.PvText.isEmpty() || !r.reading.SvText.isEmpty()
                           || !r.reading.OutText.isEmpty() || r.FailCount != 0))
            ++halfSeen;
        if (!r.Unlinked && r.reading.PvText.isEmpty() && !r.reading.SvText.isEmpty())
            ++halfSeen;
    }
    engine.join();
    EXPECT_EQ(halfSeen, 0);
    EXPECT_TRUE(m.unlinked(1, 4));
    EXPECT_TRUE(m.reading(1, 4).PvText.isEmpty());
}

TEST(PlantModel, FourthFailedPvReadUnlinksAndEmptiesTheTexts)
{
    PlantModel m;
    m.storePv(2, 3, QStringLiteral("1.0"));
    m.storeSv(2, 3, QStringLiteral("2.0"));
    m.storeOutput(2, 3, QStringLiteral("10"));
    for (int failure = 1; failure <= 3; ++failure) {
        EXPECT_FALSE(m.notePvFailure(2, 3)) << failure;
        EXPECT_EQ(m.failCount(2, 3), failure);
        EXPECT_EQ(m.reading(2, 3).PvText, QStringLiteral("1.0")) << "figures kept until unlinked";
    }
    EXPECT_TRUE(m.notePvFailure(2, 3));
    const SlotRecord r = m.slot(2, 3);
    EXPECT_TRUE(r.Unlinked);
    EXPECT_EQ(r.FailCount, 0);
    EXPECT_TRUE(r.reading.PvText.isEmpty() && r.reading.SvText.isEmpty() && r.reading.OutText.isEmpty());
}

// The snapshot's figures are those of the texts as they stand after every kind of
// store: a text that is no number, or no text, gives no figure.
TEST(PlantModel, SnapshotFiguresFollowTheTexts)
{
    using Figure = std::optional<double>;
    struct Case {
        const char *what;
        std::function<void(PlantModel &)> change;
        Figure pv, sv, out;
    } cases[] = {
        {"nothing stored yet", [](PlantModel &) {}, {}, {}, {}},
        {"each text by itself",
         [](PlantModel &m) {
             m.storePv(2, 4, QStringLiteral("123.4"));
             m.storeSv(2, 4, QStringLiteral("-5.0"));
             m.storeOutput(2, 4, QStringLiteral("100"));
         },
         123.4, -5.0, 100.0},
        {"a text stored over another",
         [](PlantModel &m) {
             m.storePv(2, 4, QStringLiteral("1.0"));
             m.storePv(2, 4, QStringLiteral("2.5"));
         },
         2.5, {}, {}},
        {"texts that are no number",
         [](PlantModel &m) { m.setReading(2, 4, {QStringLiteral("----"), QStringLiteral("Err"), QString()}); },
         {}, {}, {}},
        {"a whole reading",
         [](PlantModel &m) { m.setReading(2, 4, {QStringLiteral("7"), QStringLiteral("8.5"), QStringLiteral("0")}); },
         7.0, 8.5, 0.0},
        {"a whole reading emptied",
         [](PlantModel &m) {
             m.setReading(2, 4, {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9")});
             m.setReading(2, 4, {});
         },
         {}, {}, {}},
        {"unlinked after failed reads",
         [](PlantModel &m) {
             m.setReading(2, 4, {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9")});
             while (!m.notePvFailure(2, 4)) {
             }
         },
         {}, {}, {}},
    };
    for (const Case &c : cases) {
        PlantModel m;
        c.change(m);
        const ReadingsSnapshot readings = m.readingsSnapshot(2);
        const SlotSnapshot &shown = readings.slotSnapshots[4];
        EXPECT_EQ(shown.pv, c.pv) << c.what;
        EXPECT_EQ(shown.sv, c.sv) << c.what;
        EXPECT_EQ(shown.out, c.out) << c.what;
        const SlotReading texts = m.reading(2, 4);
        EXPECT_EQ(shown.pvText, texts.PvText) << c.what;
        EXPECT_EQ(shown.svText, texts.SvText) << c.what;
        EXPECT_EQ(shown.outText, texts.OutText) << c.what;
        EXPECT_FALSE(readings.slotSnapshots[3].pv) << c.what << ": a neighbour keeps its own";
    }
}

TEST(PlantModel, AlarmPointChangesRestartTheDeviationState)
{
    PlantModel m;
    m.setAlarmPoint(1, 2, AlarmLimits{QStringLiteral("5"), QStringLiteral("5"), true});
    EXPECT_EQ(m.evaluateDeviation(1, 2, QStringLiteral("200"), QStringLiteral("100")).size(), 1u);
    EXPECT_EQ(m.alarmState(1, 2).EventCount, 1);
    m.setAlarmPoint(1, 2, AlarmLimits{QStringLiteral("5"), QStringLiteral("5"), false});
    EXPECT_EQ(m.alarmState(1, 2).EventCount, 0);
    EXPECT_FALSE(m.alarmState(1, 2).HighActive);
    m.clearAlarmPoint(1, 2);
    EXPECT_TRUE(m.alarmLimits(1, 2).HAlarm.isEmpty());
    EXPECT_TRUE(m.evaluateDeviation(1, 2, QStringLiteral("200"), QStringLiteral("100")).empty());
}

} // namespace
