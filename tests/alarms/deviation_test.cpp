#include "deviation.h"

#include <gtest/gtest.h>

#include <cctype>

#include <string>
#include <vector>

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
