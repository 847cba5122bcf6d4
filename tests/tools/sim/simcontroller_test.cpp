#include "simcontroller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

constexpr double kTick = 0.1;

double pvDegrees(const SimController &c)
{
    return static_cast<std::int16_t>(c.reg(reg::PV)) / std::pow(10.0, c.dp());
}

double svDegrees(const SimController &c)
{
    return static_cast<std::int16_t>(c.reg(reg::SV)) / std::pow(10.0, c.dp());
}

void run(SimController &c, double seconds)
{
    for (int i = 0; i < int(seconds / kTick); ++i)
        c.tick(kTick);
}

TEST(ControllerDp, FromModelAndInputType)
{
    struct Case {
        int model, type, dpRegister, expected;
    } cases[] = {
        {104, 0, 3, 1},   {104, 2, 3, 0},   {104, 53, 2, 2}, {104, 47, 0, 1}, {104, 50, 2, 0},
        {104, 56, 2, -1}, {104, -1, 2, -1}, {7, 9, 0, 1},    {7, 18, 3, 3},   {7, 25, 0, -1},
        {7, 16, 2, 0},    {7, 14, 0, 1},    {0, 1, 3, 0},    {7, 17, 0, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(controllerDp(c.model, c.type, c.dpRegister, -1), c.expected)
            << "model " << c.model << " type " << c.type;
}

TEST(SimController, DefaultsGiveALineSeveralDecimalPlacesAndEveryLamp)
{
    std::set<int> dps;
    std::set<std::uint16_t> lampSets;
    for (int station = 1; station <= 10; ++station) {
        SimController c(station, 1);
        dps.insert(c.dp());
        lampSets.insert(c.reg(reg::Status) & (statusbit::AL1 | statusbit::AL2));
        EXPECT_GT(svDegrees(c), 50.0) << station;
        EXPECT_LT(svDegrees(c), 327.0) << station; // fits 16 bits even with two decimals
    }
    EXPECT_EQ(dps, (std::set<int>{0, 1, 2}));
    // Some plants start cold (AL2), some hot (AL1), some at SV (neither).
    EXPECT_EQ(lampSets.size(), 3u);
}

TEST(SimController, PvSettlesAtSvFromColdAndFromHot)
{
    for (int station : {3, 4, 5, 8}) { // cold, at SV, hot, hot; Dp 0, 2, 1, 2
        SCOPED_TRACE(station);
        SimController c(station, 42);
        run(c, 1800);
        EXPECT_NEAR(pvDegrees(c), svDegrees(c), 1.0);
        const std::uint16_t status = c.reg(reg::Status);
        EXPECT_TRUE(status & statusbit::OUT1) << "holding temperature needs heat";
        EXPECT_FALSE(status & (statusbit::OUT2 | statusbit::AL1 | statusbit::AL2));
        EXPECT_GT(c.reg(reg::Output), 0);
        EXPECT_LE(c.reg(reg::Output), 1000);
    }
}

TEST(SimController, StatusBitsFollowTheDeviation)
{
    SimController c(1, 7); // Dp 1, SV 200.0
    ASSERT_EQ(c.dp(), 1);
    struct Case {
        double pv;
        std::uint16_t bits;
    } cases[] = {
        // OUT1 is judged against the output register below.
        {150.0, statusbit::AL2},
        {196.0, 0},
        {210.0, statusbit::OUT2 | statusbit::AL1},
        {203.5, statusbit::OUT2},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.pv);
        c.setReg(reg::SV, 2000);
        c.forcePv(std::int16_t(k.pv * 10));
        c.tick(kTick);
        EXPECT_EQ(c.reg(reg::Status) & (statusbit::OUT2 | statusbit::AL1 | statusbit::AL2), k.bits);
        EXPECT_EQ(bool(c.reg(reg::Status) & statusbit::OUT1), c.reg(reg::Output) > 0);
    }
}

TEST(SimController, FollowsANewSetValueAndOutsideWritesOfPv)
{
    SimController c(2, 5); // Dp 1
    c.setReg(reg::SV, 800); // 80.0
    run(c, 2400);
    EXPECT_NEAR(pvDegrees(c), 80.0, 1.0);

    c.setReg(reg::PV, 500); // 50.0 written through a frame
    c.tick(kTick);
    EXPECT_NEAR(c.temperature(), 50.0, 0.5);
    EXPECT_TRUE(c.reg(reg::Status) & statusbit::AL2);
}

TEST(SimController, HoldFreezesThePlantAndForcedPvStays)
{
    SimController c(3, 5);
    c.setHold(true);
    c.forcePv(123);
    const std::uint16_t out = c.reg(reg::Output);
    run(c, 60);
    EXPECT_EQ(c.reg(reg::PV), 123);
    EXPECT_EQ(c.reg(reg::Output), out);
    c.setHold(false);
    run(c, 5);
    EXPECT_NE(c.reg(reg::PV), 123);
}

TEST(SimController, ChangingDecimalPlacesKeepsDegrees)
{
    SimController c(4, 5); // linear type with DP 2: SV 120.00
    ASSERT_EQ(c.dp(), 2);
    EXPECT_EQ(c.reg(reg::SV), 12000);
    c.setModel(104, 0, -1); // Dp 1
    EXPECT_EQ(c.reg(reg::SV), 1200);
    EXPECT_NEAR(pvDegrees(c), 120.0, 1.0);
    c.setReg(reg::DP, 0); // no effect on a type-A thermocouple
    c.setModel(7, 18, 0); // linear, DP register 0
    EXPECT_EQ(c.reg(reg::SV), 120);
    // A DP write through a frame takes effect at the next tick.
    c.setReg(reg::DP, 1);
    c.tick(kTick);
    EXPECT_EQ(c.reg(reg::SV), 1200);
}

TEST(SimController, FaultDecisions)
{
    struct Case {
        FaultKind kind;
        double param;
        const char *answers; // one letter per request: y answered, n not
        double extraMs;
        FaultKind mangle;
    } cases[] = {
        {FaultKind::none, 0, "yyyyyy", 0, FaultKind::none},
        {FaultKind::silent, 0, "nnnnnn", 0, FaultKind::none},
        {FaultKind::every, 2, "nynyny", 0, FaultKind::none},
        {FaultKind::every, 3, "nnynny", 0, FaultKind::none},
        {FaultKind::every, 1, "yyyyyy", 0, FaultKind::none},
        {FaultKind::late, 250, "yyyyyy", 250, FaultKind::none},
        {FaultKind::corrupt, 0, "yyyyyy", 0, FaultKind::corrupt},
        {FaultKind::garbage, 0, "yyyyyy", 0, FaultKind::garbage},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(std::string(faultName(k.kind)) + " " + std::to_string(k.param));
        SimController c(1, 1);
        c.nextRequest(); // setting the fault starts its count afresh
        c.setFault(k.kind, k.param);
        std::string seen;
        for (int i = 0; i < 6; ++i) {
            const FaultDecision d = c.nextRequest();
            seen += d.answer ? 'y' : 'n';
            EXPECT_EQ(d.extraDelayMs, k.extraMs);
            EXPECT_EQ(d.mangle, k.mangle);
        }
        EXPECT_EQ(seen, k.answers);
    }
}

TEST(SimController, CorruptEveryKthReadSpoilsOneReplyAndAnswersItsRepeatWhole)
{
    struct Case {
        double k;
        const char *spoiled; // one letter per request: x spoiled, . whole
    } cases[] = {
        {3, "..x...x...x."},
        {1, "xxxxxxxxxxxx"}, // every reply, as plain "corrupt"
        {0, "xxxxxxxxxxxx"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.k);
        SimController c(1, 1);
        c.setFault(FaultKind::corrupt, k.k);
        std::string seen;
        for (int i = 0; i < 12; ++i) {
            const FaultDecision d = c.nextRequest();
            EXPECT_TRUE(d.answer);
            seen += d.mangle == FaultKind::corrupt ? 'x' : '.';
        }
        EXPECT_EQ(seen, k.spoiled);
    }
}

TEST(SimController, SameSeedSameRun)
{
    SimController a(1, 77), b(1, 77), other(1, 78);
    bool differs = false;
    for (int i = 0; i < 200; ++i) {
        a.tick(kTick);
        b.tick(kTick);
        other.tick(kTick);
        ASSERT_EQ(a.reg(reg::PV), b.reg(reg::PV));
        differs = differs || a.reg(reg::PV) != other.reg(reg::PV);
    }
    EXPECT_TRUE(differs);
}

} // namespace
