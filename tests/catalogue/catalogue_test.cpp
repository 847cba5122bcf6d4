// Every entry of the six levels against an independent listing of the parameters:
// order, code, scale, entry kind and selector items; the register against the
// link's own write mapping.

#include "catalogue.h"
#include "frames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

struct Expected {
    Level level;
    std::string mnemonic;
    int code;
    ScaleClass scale;
    EntryKind kind;
    std::vector<Items> selectors;
    int shown = 0; // the index every selector of the entry starts at
};

const Items kDigits = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const Items kTensOfSeconds = {"0", "1", "2", "3", "4", "5"};
const Items kBit = {"0", "1"};

Expected typed(Level l, const char *m, int code, ScaleClass s) { return {l, m, code, s, EntryKind::Keypad, {}}; }
Expected picked(Level l, const char *m, int code, Items items) { return {l, m, code, ScaleClass::Raw, EntryKind::Choice, {items}}; }
Expected bits(Level l, const char *m, int code, int shown)
{
    return {l, m, code, ScaleClass::Raw, EntryKind::BitDigits, {kBit, kBit, kBit, kBit}, shown};
}
Expected duration(Level l, const char *m, int code)
{
    return {l, m, code, ScaleClass::Raw, EntryKind::MinSec, {kDigits, kDigits, kTensOfSeconds, kDigits}};
}

std::vector<Expected> expectedCatalogue()
{
    constexpr auto D = ScaleClass::DecimalPoint;
    constexpr auto T = ScaleClass::Tenths;
    constexpr auto R = ScaleClass::Raw;
    const Level L1 = Level::Level1, L2 = Level::Level2, L3 = Level::Level3, L4 = Level::Level4;
    std::vector<Expected> e = {
        typed(L1, "SV", 0, D), typed(L1, "OUTL", 1, T),
        {L1, "AT", 2, R, EntryKind::YesNo, {{"NO", "YES"}}},
        typed(L1, "AL1", 3, D), typed(L1, "AL2", 4, D), typed(L1, "AL3", 5, D),

        typed(L2, "P1", 57, T), typed(L2, "I1", 58, R), typed(L2, "D1", 59, R), typed(L2, "DB1", 60, T),
        typed(L2, "ATVL", 61, D), typed(L2, "CYT1", 62, R), typed(L2, "HYS1", 63, D), typed(L2, "P2", 64, T),
        typed(L2, "I2", 65, R), typed(L2, "D2", 66, R), typed(L2, "CYT2", 67, R), typed(L2, "HYS2", 68, D),
        typed(L2, "GAP1", 69, D), typed(L2, "GAP2", 70, D), bits(L2, "LCK", 71, 0),

        typed(L3, "ANL1", 73, R), typed(L3, "ANH1", 74, R),
        picked(L3, "DP", 75, {"0000", "000.0", "00.00", "0.000"}),
        typed(L3, "LSPL", 76, D), typed(L3, "USPL", 77, D), typed(L3, "ANL2", 78, R), typed(L3, "ANH2", 79, R),
        typed(L3, "ALD1", 80, R), duration(L3, "ALT1", 81), typed(L3, "ALD2", 82, R), duration(L3, "ALT2", 83),
        typed(L3, "ALD3", 84, R), duration(L3, "ALT3", 85), typed(L3, "HYSA", 86, D),
        typed(L3, "CLO1", 87, R), typed(L3, "CHO1", 88, R), typed(L3, "CLO2", 89, R), typed(L3, "CHO2", 90, R),
        typed(L3, "CLO3", 91, R), typed(L3, "CHO3", 92, R), typed(L3, "RUCY", 93, R), typed(L3, "WAIT", 94, D),
        bits(L3, "SETA", 95, 0), typed(L3, "SVOS", 98, D), typed(L3, "PVOS", 99, D),
        typed(L3, "SOFT", 101, ScaleClass::Thousandths),
        picked(L3, "OUD", 103, {"HEAT", "COOL"}), picked(L3, "OPAD", 104, {"PID", "FUZZY"}),
        picked(L3, "HZ", 105, {"60", "50"}),
    };
    for (int n = 1; n <= 9; ++n)
        e.push_back(bits(L4, ("SET" + std::to_string(n)).c_str(), 105 + n, 1));
    e.push_back(bits(L4, "SET0", 115, 1));
    e.push_back(picked(L4, "INP2", 116, {"0", "1", "2"}));
    e.push_back(picked(L4, "OUTY", 117, {"0", "1", "2", "3", "4", "5"}));

    e.push_back(picked(Level::Program1, "PTN", 6, {"0", "1", "2"}));
    for (Level program : {Level::Program1, Level::Program2}) {
        const int first = program == Level::Program1 ? 9 : 33;
        for (int n = 1; n <= 8; ++n) {
            const std::string k = std::to_string(n);
            const int sv = first + 3 * (n - 1);
            e.push_back(typed(program, ("SV_" + k).c_str(), sv, D));
            e.push_back(duration(program, ("TM_" + k).c_str(), sv + 1));
            e.push_back(typed(program, ("OUT_" + k).c_str(), sv + 2, T));
        }
    }
    return e;
}

const Level kLevels[] = {Level::Level1, Level::Level2, Level::Level3, Level::Level4, Level::Program1, Level::Program2};

std::string describe(const Expected &e) { return std::string(levelCaption(e.level)) + " " + e.mnemonic; }

Items itemsOf(const EntrySelector &selector)
{
    return Items(selector.items.begin(), selector.items.end());
}

TEST(Catalogue, EveryEntryInSelectorOrderWithCodeRegisterScaleKindAndItems)
{
    const std::vector<Expected> expected = expectedCatalogue();
    for (Level level : kLevels) {
        std::vector<std::string> want, have;
        for (const Expected &e : expected)
            if (e.level == level)
                want.push_back(e.mnemonic);
        for (const ParameterEntry &entry : entriesOf(level))
            have.push_back(entry.mnemonic);
        EXPECT_EQ(have, want) << levelCaption(level);
    }
    EXPECT_EQ(allEntries().size(), expected.size());

    for (const Expected &e : expected) {
        SCOPED_TRACE(describe(e));
        const ParameterEntry *entry = findParameter(e.level, e.mnemonic);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->level, e.level);
        EXPECT_EQ(entry->code, e.code);
        EXPECT_EQ(entry->registerAddress, int(mapWriteAddress(TAddress(e.code))));
        EXPECT_EQ(entry->scale, e.scale);
        EXPECT_EQ(entry->entry, e.kind);
        ASSERT_EQ(entry->selectorCount, int(e.selectors.size()));
        for (int s = 0; s < entry->selectorCount; ++s) {
            EXPECT_EQ(itemsOf(entry->selectors[s]), e.selectors[std::size_t(s)]) << "selector " << s;
            EXPECT_EQ(entry->selectors[s].initial, e.shown) << "selector " << s;
        }
    }
}

// The registers the controllers are known to keep these parameters in, so a change
// to the link's mapping cannot carry the catalogue along unnoticed.
TEST(Catalogue, ShiftedRegisters)
{
    struct Case {
        Level level;
        const char *mnemonic;
        int reg;
    };
    const Case cases[] = {
        {Level::Level3, "WAIT", 94}, {Level::Level3, "SETA", 95}, {Level::Level3, "SVOS", 100},
        {Level::Level3, "PVOS", 101}, {Level::Level3, "SOFT", 103}, {Level::Level3, "OUD", 105},
        {Level::Level3, "HZ", 107},  {Level::Level4, "SET1", 108}, {Level::Level4, "SET0", 117},
        {Level::Level4, "OUTY", 119}, {Level::Program2, "OUT_8", 56},
    };
    for (const Case &c : cases) {
        const ParameterEntry *entry = findParameter(c.level, c.mnemonic);
        ASSERT_NE(entry, nullptr) << c.mnemonic;
        EXPECT_EQ(entry->registerAddress, c.reg) << c.mnemonic;
    }
}

TEST(Catalogue, EachCodeOnOneTabOnly)
{
    std::set<int> codes;
    for (const ParameterEntry &entry : allEntries())
        EXPECT_TRUE(codes.insert(entry.code).second) << entry.mnemonic << " repeats code " << entry.code;
    for (int unoffered : {7, 8, 72, 96, 97, 100, 102})
        EXPECT_EQ(codes.count(unoffered), 0u) << unoffered;
}

TEST(Catalogue, CaptionsAndInitialSelectorTexts)
{
    const char *captions[] = {"Level 1", "Level 2", "Level 3", "Level 4", "Program 1", "Program 2"};
    const char *initial[] = {"SV", "P1", "ANL1", "SET1", "SV_1", "SV_1"};
    for (int i = 0; i < kLevelCount; ++i) {
        EXPECT_STREQ(levelCaption(kLevels[i]), captions[i]);
        EXPECT_STREQ(initialMnemonic(kLevels[i]), initial[i]);
        EXPECT_NE(findParameter(kLevels[i], initialMnemonic(kLevels[i])), nullptr) << captions[i];
    }
}

TEST(Catalogue, LookupIsExactAndPerLevel)
{
    EXPECT_EQ(findParameter(Level::Level1, "sv"), nullptr);
    EXPECT_EQ(findParameter(Level::Level1, "SV "), nullptr);
    EXPECT_EQ(findParameter(Level::Level1, ""), nullptr);
    EXPECT_EQ(findParameter(Level::Level1, "P1"), nullptr);
    EXPECT_EQ(findParameter(Level::Program2, "PTN"), nullptr);
    EXPECT_EQ(findParameter(Level::Program1, "SV_1")->code, 9);
    EXPECT_EQ(findParameter(Level::Program2, "SV_1")->code, 33);
}

TEST(Catalogue, ScaleByCodeIsTheEntrysScale)
{
    std::set<int> offered;
    for (const ParameterEntry &entry : allEntries()) {
        EXPECT_EQ(scaleClassOf(entry.code), entry.scale) << entry.mnemonic;
        offered.insert(entry.code);
    }
    for (int code = 0; code <= 117; ++code) {
        if (!offered.count(code))
            EXPECT_EQ(scaleClassOf(code), ScaleClass::Raw) << code;
    }
}

} // namespace
