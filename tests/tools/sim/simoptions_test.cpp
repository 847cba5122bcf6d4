#include "simoptions.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> range(int first, int last)
{
    std::vector<int> v;
    for (int s = first; s <= last; ++s)
        v.push_back(s);
    return v;
}

TEST(StationList, ParsesAndFormatsBack)
{
    struct Case {
        const char *text;
        std::vector<int> stations;
        const char *formatted;
    } cases[] = {
        {"1-10", range(1, 10), "1-10"},
        {"1-4+7+9", {1, 2, 3, 4, 7, 9}, "1-4+7+9"},
        {"5", {5}, "5"},
        {"255", {255}, "255"},
        {"3+1-2", {3, 1, 2}, "3+1-2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = parseStationList(c.text);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(*parsed.value, c.stations);
        EXPECT_EQ(formatStationList(c.stations), c.formatted);
    }
    for (const char *bad : {"", "0", "256", "1-", "-3", "4-2", "1+1", "1-3+2", "a", "1..3", "1-3+"}) {
        const auto parsed = parseStationList(bad);
        EXPECT_FALSE(parsed.ok()) << '"' << bad << '"';
        EXPECT_FALSE(parsed.error.empty());
    }
}

TEST(SimOptions, DefaultsAreThreeLines)
{
    const auto parsed = parseSimOptions({});
    ASSERT_TRUE(parsed.ok());
    const SimOptions &o = *parsed.value;
    ASSERT_EQ(o.lines.size(), 3u);
    const SimPsl psl[] = {SimPsl::rtu, SimPsl::rtu, SimPsl::vorn};
    const bool echo[] = {false, true, true};
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(o.lines[n].psl, psl[n]);
        EXPECT_EQ(o.lines[n].echo, echo[n]);
        EXPECT_EQ(o.lines[n].baud, 38400);
        EXPECT_TRUE(o.lines[n].wire);
        EXPECT_DOUBLE_EQ(o.lines[n].latencyMs, 2.0);
        EXPECT_EQ(o.lines[n].stations, range(10 * n + 1, 10 * n + 10));
    }
    EXPECT_EQ(o.tickMs, 100);
    EXPECT_FALSE(o.registerPorts);
}

TEST(SimOptions, LineDescriptionsAndGeneralOptions)
{
    const auto parsed = parseSimOptions({"--line", "psl=vorn,echo=on,baud=9600,wire=off,latency=0.5,stations=21-23",
                                         "--line=psl=auto", "--link-dir", "/tmp/x", "--register-ports=4,7",
                                         "--settings-file=/tmp/s.ini", "--seed", "12", "--tick-ms=20"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const SimOptions &o = *parsed.value;
    ASSERT_EQ(o.lines.size(), 2u);
    EXPECT_EQ(o.lines[0].psl, SimPsl::vorn);
    EXPECT_TRUE(o.lines[0].echo);
    EXPECT_EQ(o.lines[0].baud, 9600);
    EXPECT_FALSE(o.lines[0].wire);
    EXPECT_DOUBLE_EQ(o.lines[0].latencyMs, 0.5);
    EXPECT_EQ(o.lines[0].stations, range(21, 23));
    // Keys left out take line 2's defaults.
    EXPECT_EQ(o.lines[1].psl, SimPsl::automatic);
    EXPECT_TRUE(o.lines[1].echo);
    EXPECT_EQ(o.lines[1].stations, range(11, 20));
    EXPECT_EQ(o.linkDir, "/tmp/x");
    EXPECT_TRUE(o.registerPorts);
    EXPECT_EQ(o.portNumbers, (std::vector<int>{4, 7}));
    EXPECT_EQ(o.settingsFile, "/tmp/s.ini");
    EXPECT_EQ(o.seed, 12u);
    EXPECT_EQ(o.tickMs, 20);

    const auto plain = parseSimOptions({"--register-ports", "--line", "latency=0"});
    ASSERT_TRUE(plain.ok()) << plain.error;
    EXPECT_EQ(plain.value->portNumbers, (std::vector<int>{1}));
    EXPECT_DOUBLE_EQ(plain.value->lines[0].latencyMs, 0.0);
}

TEST(SimOptions, RefusesBadInputWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--line", "psl=modbus"},     {"--line", "echo=yes"},      {"--line", "baud=fast"},
        {"--line", "baud=10"},        {"--line", "latency=-1"},    {"--line", "latency=2ms"},
        {"--line", "stations=0-3"},   {"--line", "colour=red"},    {"--line", "psl"},
        {"--line"},                   {"--seed", "x"},             {"--tick-ms", "0"},
        {"--register-ports=1,2,3,4"}, {"--register-ports=1,1"},    {"--register-ports=0"},
        {"--link-dir"},               {"--frobnicate"},            {"stray"},
    };
    for (const auto &args : bad) {
        const auto parsed = parseSimOptions(args);
        std::string joined;
        for (const auto &a : args)
            joined += a + ' ';
        EXPECT_FALSE(parsed.ok()) << joined;
        EXPECT_FALSE(parsed.error.empty()) << joined;
    }
}

} // namespace
