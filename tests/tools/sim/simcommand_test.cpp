#include "simcommand.h"

#include <gtest/gtest.h>

namespace {

using K = SimCommand::Kind;

TEST(SimCommand, ParsesEveryCommand)
{
    struct Case {
        const char *text;
        K kind;
        int line, station;
        FaultKind fault;
        double param;
        int reg, value;
    } cases[] = {
        {"fault 1 3 silent", K::fault, 1, 3, FaultKind::silent, 0, 0, 0},
        {"fault 2 11 none", K::fault, 2, 11, FaultKind::none, 0, 0, 0},
        {"fault 1 3 corrupt", K::fault, 1, 3, FaultKind::corrupt, 0, 0, 0},
        {"fault 1 3 corrupt 4", K::fault, 1, 3, FaultKind::corrupt, 4, 0, 0},
        {"fault 1 3 garbage", K::fault, 1, 3, FaultKind::garbage, 0, 0, 0},
        {"fault 3 21 every 2", K::fault, 3, 21, FaultKind::every, 2, 0, 0},
        {"fault 3 21 late 12.5", K::fault, 3, 21, FaultKind::late, 12.5, 0, 0},
        {"line 2 down", K::lineDown, 2, 0, FaultKind::none, 0, 0, 0},
        {"line 2 up", K::lineUp, 2, 0, FaultKind::none, 0, 0, 0},
        {"set 1 1 0x62 1234", K::set, 1, 1, FaultKind::none, 0, 0x62, 1234},
        {"set 1 1 138 -200", K::set, 1, 1, FaultKind::none, 0, 138, -200},
        {"set 1 1 0xFF 0xFFFF", K::set, 1, 1, FaultKind::none, 0, 255, 65535},
        // The link tool's number rule: an optional sign before decimal or 0x-hex.
        {"set +2 +5 0x8A -0x10", K::set, 2, 5, FaultKind::none, 0, 0x8A, -16},
        {"pv 1 2 +250", K::pv, 1, 2, FaultKind::none, 0, 0, 250},
        {"get 1 2 0x8A", K::get, 1, 2, FaultKind::none, 0, 0x8A, 0},
        {"pv 1 2 -15", K::pv, 1, 2, FaultKind::none, 0, 0, -15},
        {"  stats  ", K::stats, 0, 0, FaultKind::none, 0, 0, 0},
        {"reset", K::reset, 0, 0, FaultKind::none, 0, 0, 0},
        {"quit\r", K::quit, 0, 0, FaultKind::none, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const auto p = parseSimCommand(c.text);
        ASSERT_TRUE(p.ok()) << p.error;
        EXPECT_EQ(p.value->kind, c.kind);
        EXPECT_EQ(p.value->line, c.line);
        EXPECT_EQ(p.value->station, c.station);
        EXPECT_EQ(p.value->fault, c.fault);
        EXPECT_DOUBLE_EQ(p.value->faultParam, c.param);
        EXPECT_EQ(p.value->reg, c.reg);
        EXPECT_EQ(p.value->value, c.value);
    }

    const auto model = parseSimCommand("model 1 4 104 53 2");
    ASSERT_TRUE(model.ok());
    EXPECT_EQ(model.value->modelCode, 104);
    EXPECT_EQ(model.value->inputType, 53);
    EXPECT_EQ(model.value->dp, 2);
    const auto noDp = parseSimCommand("model 1 4 7 9");
    ASSERT_TRUE(noDp.ok());
    EXPECT_EQ(noDp.value->dp, -1);
    const auto hold = parseSimCommand("hold 2 12 on");
    ASSERT_TRUE(hold.ok());
    EXPECT_TRUE(hold.value->on);
}

TEST(SimCommand, RefusesWithAReason)
{
    for (const char *bad : {"", "   ", "dance", "stats now", "fault 1 3", "fault 1 3 loud", "fault 1 3 every",
                            "fault 1 3 every 0", "fault 1 3 every x", "fault 1 3 late -5", "fault 1 3 silent 2",
                            "fault 1 3 corrupt 0", "fault 1 3 corrupt 2 3",
                            "line 1", "line 1 sideways", "line x up", "set 1 1 0x100 5", "set 1 1 2 70000",
                            "set 1 1 2", "set 1 1 0x 5", "set 1 1 2 0x-5", "set 1 1 2 --5", "set 1 1 2 5x", "get 1 1", "get 1 1 -1", "model 1 1 104",
                            "model 1 1 104 53 4", "pv 1 1 40000", "hold 1 1 maybe", "set 1 999 1 1"}) {
        const auto p = parseSimCommand(bad);
        EXPECT_FALSE(p.ok()) << '"' << bad << '"';
        EXPECT_FALSE(p.error.empty()) << '"' << bad << '"';
    }
}

} // namespace
