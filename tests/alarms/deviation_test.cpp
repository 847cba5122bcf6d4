#include "deviation.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const AlarmNotice &notice, std::ostream *out)
{
    *out << (notice.side == AlarmSide::Low ? "low " : "high ") << notice.number;
}

namespace {

// One poll of a sequence: the readings, then what must have been announced and the
// state afterwards.
struct Poll {
    const char *pv;
    const char *sv;
    std::vector<AlarmNotice> announced;
    bool low;
    bool high;
    int count;
};

struct Sequence {
    const char *name;
    AlarmLimits limits;
    std::vector<Poll> polls;
};

const AlarmNotice L1{AlarmSide::Low, 1};
const AlarmNotice L2{AlarmSide::Low, 2};
const AlarmNotice H1{AlarmSide::High, 1};
const AlarmNotice H2{AlarmSide::High, 2};

const Sequence kSequences[] = {
    {"worked example, first excursion silent",
     {"5", "5", false},
     {{"94", "100", {}, true, false, 1},
      {"94", "100", {}, true, false, 1},
      {"96", "100", {}, false, false, 1},
      {"106", "100", {H1}, false, true, 2},
      {"105", "100", {}, false, false, 2}}},
    {"boundary values are inside and end an excursion",
     {"5", "5", true},
     {{"95", "100", {}, false, false, 0},
      {"105", "100", {}, false, false, 0},
      {"94.9", "100", {L1}, true, false, 1},
      {"95", "100", {}, false, false, 1},
      {"105.1", "100", {H2}, false, true, 2},
      {"105", "100", {}, false, false, 2}}},
    {"an excursion held for many polls is announced once",
     {"2", "2", true},
     {{"50", "100", {L1}, true, false, 1},
      {"40", "100", {}, true, false, 1},
      {"30", "100", {}, true, false, 1},
      {"99", "100", {}, false, false, 1},
      {"50", "100", {L2}, true, false, 2}}},
    {"negative limits fire both sides in one evaluation, low first",
     {"-5", "-5", true},
     {{"100", "100", {L1, H2}, true, true, 2}}},
    {"a moving set value moves the limits",
     {"5", "5", true},
     {{"100", "100", {}, false, false, 0},
      {"100", "90", {H1}, false, true, 1},
      {"100", "100", {}, false, false, 1},
      {"100", "110", {L2}, true, false, 2}}},
    {"empty texts change nothing",
     {"5", "5", true},
     {{"50", "100", {L1}, true, false, 1},
      {"", "100", {}, true, false, 1},
      {"50", "", {}, true, false, 1},
      {"99", "100", {}, false, false, 1}}},
    {"no alarm point: nothing is counted",
     {"", "5", true},
     {{"0", "100", {}, false, false, 0}}},
    {"a limit that is not a number skips the slot",
     {"5", "", true},
     {{"0", "100", {}, false, false, 0},
      {"200", "100", {}, false, false, 0}}},
    {"exponent readings compare as numbers",
     {"100", "100", true},
     {{"1.235E+4", "100", {H1}, false, true, 1}}},
};

class DeviationSequence : public ::testing::TestWithParam<Sequence> {};

TEST_P(DeviationSequence, AnnouncesAndCountsAsExpected)
{
    const Sequence &seq = GetParam();
    AlarmState state;
    int n = 0;
    for (const Poll &poll : seq.polls) {
        ++n;
        const std::vector<AlarmNotice> got =
            evaluateDeviation(seq.limits, state, QString::fromUtf8(poll.pv), QString::fromUtf8(poll.sv));
        EXPECT_EQ(got, poll.announced) << "poll " << n;
        EXPECT_EQ(state.LowActive, poll.low) << "poll " << n;
        EXPECT_EQ(state.HighActive, poll.high) << "poll " << n;
        EXPECT_EQ(state.EventCount, poll.count) << "poll " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Deviation, DeviationSequence, ::testing::ValuesIn(kSequences),
                         [](const ::testing::TestParamInfo<Sequence> &info) {
                             std::string name;
                             for (const char *c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

// Readings on and next to limits whose binary sums are not exact (30.1 - 0.2 lies a
// hair above 29.9 in doubles): on the limit is inside, one step past it is outside.
struct Boundary {
    const char *name;
    const char *sv;
    const char *low;
    const char *high;
    const char *pv;
    std::vector<AlarmNotice> announced;
};

const Boundary kBoundaries[] = {
    {"low limit reached from a tenth", "30.1", "0.2", "5", "29.9", {}},
    {"a hundredth below the low limit", "30.1", "0.2", "5", "29.89", {L1}},
    {"high limit reached from a tenth", "20.4", "5", "0.7", "21.1", {}},
    {"a hundredth above the high limit", "20.4", "5", "0.7", "21.11", {H1}},
    {"whole set value, limit in hundredths", "30", "0.25", "0.25", "29.75", {}},
    {"whole set value, a hundredth under", "30", "0.25", "0.25", "29.74", {L1}},
    {"whole set value, on the high side", "30", "0.25", "0.25", "30.25", {}},
    {"reading with more decimals than the rest", "0.3", "0.1", "0.1", "0.200", {}},
    {"negative set value, high limit", "-20.4", "0.7", "0.7", "-19.7", {}},
    {"negative set value, low limit", "-0.1", "0.2", "0.2", "-0.3", {}},
    {"negative set value, past the low limit", "-0.1", "0.2", "0.2", "-0.31", {L1}},
    {"negative limits, the low one on its boundary", "0.3", "-0.1", "-0.1", "0.4", {H1}},
    {"blanks around the texts", " 30.1 ", "0.2", "5", " 29.9", {}},
    {"a reading in exponent form on the limit", "30.1", "0.2", "5", "2.99E1", {}},
};

TEST(Deviation, BoundariesAreComparedExactly)
{
    for (const Boundary &b : kBoundaries) {
        SCOPED_TRACE(b.name);
        AlarmState state;
        const AlarmLimits limits{b.high, b.low, true};
        EXPECT_EQ(evaluateDeviation(limits, state, b.pv, b.sv), b.announced);
    }
}

TEST(Deviation, ReadingOnTheLimitEndsAnExcursion)
{
    const AlarmLimits limits{"0.7", "0.2", true};
    AlarmState state;
    EXPECT_EQ(evaluateDeviation(limits, state, "29.8", "30.1"), std::vector<AlarmNotice>{L1});
    EXPECT_TRUE(evaluateDeviation(limits, state, "29.9", "30.1").empty());
    EXPECT_FALSE(state.LowActive);
    EXPECT_EQ(evaluateDeviation(limits, state, "30.9", "30.1"), std::vector<AlarmNotice>{H2});
    EXPECT_TRUE(evaluateDeviation(limits, state, "30.8", "30.1").empty());
    EXPECT_FALSE(state.HighActive);
    EXPECT_EQ(evaluateDeviation(limits, state, "29.8", "30.1"), (std::vector<AlarmNotice>{{AlarmSide::Low, 3}}));
}

// A one-decimal text of `tenths` / 10, as a controller with one decimal shows it.
QString tenths(int value)
{
    const int magnitude = value < 0 ? -value : value;
    return QStringLiteral("%1%2.%3").arg(value < 0 ? "-" : "").arg(magnitude / 10).arg(magnitude % 10);
}

TEST(Deviation, EverySetValueAndLimitOfOneDecimalAlarmsOnlyPastTheLimit)
{
    int wrong = 0;
    for (int limit = 1; limit <= 9 && wrong < 5; ++limit) {
        const AlarmLimits limits{tenths(limit), tenths(limit), true};
        for (int sv = 0; sv <= 5000 && wrong < 5; ++sv) {
            const QString svText = tenths(sv);
            AlarmState state;
            const auto expect = [&](int pv, std::vector<AlarmNotice> announced) {
                const std::vector<AlarmNotice> got = evaluateDeviation(limits, state, tenths(pv), svText);
                if (got != announced) {
                    ++wrong;
                    ADD_FAILURE() << "SV " << svText.toStdString() << " limit " << tenths(limit).toStdString()
                                  << " PV " << tenths(pv).toStdString() << ": " << got.size() << " announced";
                }
            };
            expect(sv - limit, {});
            expect(sv + limit, {});
            expect(sv - limit - 1, {L1});
            expect(sv - limit, {});
            expect(sv + limit + 1, {H2});
            expect(sv + limit, {});
        }
    }
}

TEST(Deviation, FirstAlarmNumbersEveryExcursionFromOne)
{
    const AlarmLimits limits{"1", "1", true};
    AlarmState state;
    std::vector<int> numbers;
    for (int i = 0; i < 10; ++i) {
        for (const AlarmNotice &notice : evaluateDeviation(limits, state, "10", "0"))
            numbers.push_back(notice.number);
        evaluateDeviation(limits, state, "0", "0");
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

} // namespace
