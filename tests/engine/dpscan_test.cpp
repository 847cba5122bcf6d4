#include "dpscan.h"

#include <gtest/gtest.h>

#include <set>

namespace {
struct TableRows {
    InputTable table;
    std::set<int> one;
    std::set<int> zero;
    std::set<int> fromRegister;
    int firstChecked;
    int lastChecked;
};

// The tables written out type by type, so a slip in the code's ranges shows.
const TableRows kTables[] = {
    {InputTable::A,
     {0, 1, 6, 7, 21, 22, 23, 28, 29, 30, 33, 34, 35, 39, 40, 41, 45, 46, 47},
     {2,  3,  4,  5,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24,
      25, 26, 27, 31, 32, 36, 37, 38, 42, 43, 44, 48, 49, 50},
     {51, 52, 53, 54, 55},
     -5,
     80},
    {InputTable::B,
     {0, 2, 9, 14},
     {1, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 15, 16},
     {17, 18, 19, 20},
     -5,
     60},
};

TEST(DpScanTable, EveryInputTypeOfBothTables)
{
    for (const TableRows &t : kTables) {
        for (int type = t.firstChecked; type <= t.lastChecked; ++type) {
            DpRule expected = DpRule::Unchanged;
            if (t.one.count(type))
                expected = DpRule::One;
            else if (t.zero.count(type))
                expected = DpRule::Zero;
            else if (t.fromRegister.count(type))
                expected = DpRule::FromRegister;
            EXPECT_EQ(dpRuleOf(t.table, type), expected)
                << "table " << (t.table == InputTable::A ? 'A' : 'B') << " type " << type;
        }
        EXPECT_EQ(dpRuleOf(t.table, -32768), DpRule::Unchanged);
        EXPECT_EQ(dpRuleOf(t.table, 32767), DpRule::Unchanged);
    }
}

TEST(DpScanTable, ModelCodeChoosesTheTable)
{
    EXPECT_EQ(inputTableOf(104), InputTable::A);
    for (int code : {0, 7, 103, 105, -104})
        EXPECT_EQ(inputTableOf(code), InputTable::B) << code;
}

TEST(DpScanTable, FallbackTypeOfAFailedReadIsAWholeDegreeType)
{
    for (InputTable t : {InputTable::A, InputTable::B})
        EXPECT_EQ(dpFor(dpRuleOf(t, fallbackInputType(t)), 2), 0);
    EXPECT_EQ(dpFor(DpRule::One, 3), 1);
    EXPECT_EQ(dpFor(DpRule::Unchanged, 3), 3);
    EXPECT_EQ(dpFor(DpRule::FromRegister, 2), 2);
}
} // namespace
