// The tempmon-link command line.

#include "linkoptions.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> words(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

TEST(LinkOptions, AcceptedCommandLines)
{
    const LinkParse read = parseLinkOptions(
        words("read --device /dev/pts/3 --baud 9600 --psl vorn --converter echo --station 5 --address 0x8A --retry 0"));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.options.action, LinkAction::Read);
    EXPECT_EQ(read.options.device, "/dev/pts/3");
    EXPECT_EQ(read.options.port, 0);
    EXPECT_EQ(read.options.baud, 9600);
    EXPECT_EQ(read.options.psl, TPsl::vorn);
    EXPECT_EQ(read.options.converter, TConverter::RS422_485);
    EXPECT_EQ(read.options.station, 5);
    EXPECT_EQ(read.options.address, 0x8A);
    EXPECT_EQ(read.options.retry, 0);

    // Options in any order, --name=value, defaults for baud and retry.
    const LinkParse defaults = parseLinkOptions(
        words("--station=255 read --psl rtu --address 138 --converter=direct --port 12"));
    ASSERT_TRUE(defaults.ok) << defaults.error;
    EXPECT_EQ(defaults.options.port, 12);
    EXPECT_TRUE(defaults.options.device.empty());
    EXPECT_EQ(defaults.options.baud, 38400);
    EXPECT_EQ(defaults.options.retry, 3);
    EXPECT_EQ(defaults.options.converter, TConverter::RS485);
    EXPECT_EQ(defaults.options.address, 0x8A);

    struct Value {
        const char *text;
        std::uint16_t value;
    } values[] = {{"300", 300}, {"-15", 0xFFF1}, {"-32768", 0x8000}, {"65535", 0xFFFF},
                  {"0xFF9C", 0xFF9C}, {"0", 0}, {"+5", 5}, {"-0x10", 0xFFF0}};
    for (const Value &v : values) {
        const LinkParse w = parseLinkOptions(words(
            std::string("write --port 1 --psl rtu --converter echo --station 1 --address 0 --value ") + v.text));
        ASSERT_TRUE(w.ok) << v.text << ": " << w.error;
        EXPECT_EQ(w.options.action, LinkAction::Write);
        EXPECT_EQ(w.options.value, v.value) << v.text;
    }

    // The highest port the communication settings offer, and signed numbers anywhere.
    const LinkParse edge = parseLinkOptions(
        words("read --port 256 --psl rtu --converter echo --station +7 --address 0x8a --retry +0"));
    ASSERT_TRUE(edge.ok) << edge.error;
    EXPECT_EQ(edge.options.port, 256);
    EXPECT_EQ(edge.options.station, 7);
    EXPECT_EQ(edge.options.retry, 0);

    for (const char *help : {"--help", "read --port 1 --help", "-h"}) {
        const LinkParse h = parseLinkOptions(words(help));
        EXPECT_TRUE(h.ok) << help;
        EXPECT_EQ(h.options.action, LinkAction::Help) << help;
    }
}

TEST(LinkOptions, StatsReadsThePvUnlessAnotherRegisterIsNamed)
{
    const LinkParse pv = parseLinkOptions(
        words("stats --device /dev/pts/4 --psl vorn --converter echo --station 21 --count 200"));
    ASSERT_TRUE(pv.ok) << pv.error;
    EXPECT_EQ(pv.options.action, LinkAction::Stats);
    EXPECT_EQ(pv.options.address, 0x8A);
    EXPECT_EQ(pv.options.count, 200);
    EXPECT_EQ(pv.options.retry, 3);

    const LinkParse sv = parseLinkOptions(
        words("stats --port 2 --psl rtu --converter direct --station 1 --address 0 --count 1 --retry 0"));
    ASSERT_TRUE(sv.ok) << sv.error;
    EXPECT_EQ(sv.options.address, 0);
    EXPECT_EQ(sv.options.retry, 0);
}

TEST(LinkOptions, RejectedCommandLinesSayWhy)
{
    const std::string base = " --psl rtu --converter echo --station 1 --address 0";
    struct Case {
        std::string line;
        const char *complaint;
    } cases[] = {
        {"", "read, write or stats"},
        {"fetch --port 1" + base, "unknown action"},
        {"read" + base, "either --port"},
        {"read --port 1 --device /dev/x" + base, "either --port"},
        {"read --port 0" + base, "--port must be"},
        {"read --port 257" + base, "--port must be"},
        {"read --port x1" + base, "--port must be"},
        {"read --device" , "needs a value"},
        {"read --port 1 --baud 12345" + base, "--baud must be"},
        {"read --port 1 --baud 0x" + base, "--baud must be"},
        {"read --port 1 --psl modbus --converter echo --station 1 --address 0", "--psl must be"},
        {"read --port 1 --converter echo --station 1 --address 0", "--psl"},
        {"read --port 1 --psl rtu --converter half --station 1 --address 0", "--converter must be"},
        {"read --port 1 --psl rtu --station 1 --address 0", "--converter"},
        {"read --port 1 --psl rtu --converter echo --station 0 --address 0", "--station must be"},
        {"read --port 1 --psl rtu --converter echo --station 1.5 --address 0", "--station must be"},
        {"read --port 1 --psl rtu --converter echo --address 0", "--station"},
        {"read --port 1 --psl rtu --converter echo --station 1 --address 0x100", "--address must be"},
        {"read --port 1 --psl rtu --converter echo --station 1 --address -1", "--address must be"},
        {"read --port 1 --psl rtu --converter echo --station 1", "--address"},
        {"read --port 1 --retry 101" + base, "--retry must be"},
        {"read --port 1 --value 5" + base, "write only"},
        {"write --port 1" + base, "--value is missing"},
        {"write --port 1 --value 65536" + base, "--value must be"},
        {"write --port 1 --value -32769" + base, "--value must be"},
        {"write --port 1 --value 12abc" + base, "--value must be"},
        {"write --port 1 --value 1 --retry 2" + base, "read and stats only"},
        {"stats --port 1" + base, "--count is missing"},
        {"stats --port 1 --count 0" + base, "--count must be"},
        {"stats --port 1 --count 1000001" + base, "--count must be"},
        {"stats --port 1 --count 5 --value 3" + base, "write only"},
        {"read --port 1 --count 5" + base, "stats only"},
        {"read --port 1 --station 2" + base, "twice"},
        {"read --port 1 --speed 9600" + base, "unknown option"},
        {"read now --port 1" + base, "unexpected argument"},
    };
    for (const Case &c : cases) {
        const LinkParse p = parseLinkOptions(words(c.line));
        EXPECT_FALSE(p.ok) << c.line;
        EXPECT_NE(p.error.find(c.complaint), std::string::npos)
            << c.line << " -> " << p.error << " (expected " << c.complaint << ")";
    }
}

TEST(LinkOptions, AttemptCountReadsRightForOneAndMore)
{
    const std::pair<int, const char *> cases[] = {
        {1, "1 attempt"}, {2, "2 attempts"}, {6, "6 attempts"}, {101, "101 attempts"}};
    for (const auto &[attempts, text] : cases)
        EXPECT_EQ(attemptsText(attempts), text) << attempts;
}

} // namespace
