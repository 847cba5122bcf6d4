#include "catalogue.h"

#include <iterator>

namespace {

constexpr ScaleClass kDec = ScaleClass::DecimalPoint;
constexpr ScaleClass kTenths = ScaleClass::Tenths;
constexpr ScaleClass kThousandths = ScaleClass::Thousandths;
constexpr ScaleClass kRaw = ScaleClass::Raw;

constexpr const char *kNoYes[] = {"NO", "YES"};
constexpr const char *kBit[] = {"0", "1"};
constexpr const char *kTen[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr const char *kSix[] = {"0", "1", "2", "3", "4", "5"};
constexpr const char *kThree[] = {"0", "1", "2"};
constexpr const char *kDecimals[] = {"0000", "000.0", "00.00", "0.000"};
constexpr const char *kHeatCool[] = {"HEAT", "COOL"};
constexpr const char *kPidFuzzy[] = {"PID", "FUZZY"};
constexpr const char *kMains[] = {"60", "50"};

template <std::size_t N>
constexpr ItemList items(const char *const (&texts)[N])
{
    return ItemList{texts, int(N)};
}

constexpr ParameterEntry keypad(Level level, const char *mnemonic, int code, int reg, ScaleClass scale)
{
    return {level, mnemonic, code, reg, scale, EntryKind::Keypad, 0, {}};
}

// Every YES/NO and pick-list parameter is stored as a plain index.
constexpr ParameterEntry yesNo(Level level, const char *mnemonic, int code, int reg)
{
    return {level, mnemonic, code, reg, kRaw, EntryKind::YesNo, 1, {{items(kNoYes), 0}}};
}

constexpr ParameterEntry choice(Level level, const char *mnemonic, int code, int reg, ItemList list)
{
    return {level, mnemonic, code, reg, kRaw, EntryKind::Choice, 1, {{list, 0}}};
}

constexpr ParameterEntry bitDigits(Level level, const char *mnemonic, int code, int reg, int shown)
{
    const EntrySelector digit{items(kBit), shown};
    return {level, mnemonic, code, reg, kRaw, EntryKind::BitDigits, 4, {digit, digit, digit, digit}};
}

constexpr ParameterEntry minSec(Level level, const char *mnemonic, int code, int reg)
{
    return {level,
            mnemonic,
            code,
            reg,
            kRaw,
            EntryKind::MinSec,
            4,
            {{items(kTen), 0}, {items(kTen), 0}, {items(kSix), 0}, {items(kTen), 0}}};
}

// Level by level, each in the order its selector lists the mnemonics. The register
// is where the link's write mapping puts the code: two further up for 96 to 100
// and 102 to 117.
constexpr ParameterEntry kEntries[] = {
    keypad(Level::Level1, "SV", 0, 0, kDec),
    keypad(Level::Level1, "OUTL", 1, 1, kTenths),
    yesNo(Level::Level1, "AT", 2, 2),
    keypad(Level::Level1, "AL1", 3, 3, kDec),
    keypad(Level::Level1, "AL2", 4, 4, kDec),
    keypad(Level::Level1, "AL3", 5, 5, kDec),

    keypad(Level::Level2, "P1", 57, 57, kTenths),
    keypad(Level::Level2, "I1", 58, 58, kRaw),
    keypad(Level::Level2, "D1", 59, 59, kRaw),
    keypad(Level::Level2, "DB1", 60, 60, kTenths),
    keypad(Level::Level2, "ATVL", 61, 61, kDec),
    keypad(Level::Level2, "CYT1", 62, 62, kRaw),
    keypad(Level::Level2, "HYS1", 63, 63, kDec),
    keypad(Level::Level2, "P2", 64, 64, kTenths),
    keypad(Level::Level2, "I2", 65, 65, kRaw),
    keypad(Level::Level2, "D2", 66, 66, kRaw),
    keypad(Level::Level2, "CYT2", 67, 67, kRaw),
    keypad(Level::Level2, "HYS2", 68, 68, kDec),
    keypad(Level::Level2, "GAP1", 69, 69, kDec),
    keypad(Level::Level2, "GAP2", 70, 70, kDec),
    bitDigits(Level::Level2, "LCK", 71, 71, 0),

    keypad(Level::Level3, "ANL1", 73, 73, kRaw),
    keypad(Level::Level3, "ANH1", 74, 74, kRaw),
    choice(Level::Level3, "DP", 75, 75, items(kDecimals)),
    keypad(Level::Level3, "LSPL", 76, 76, kDec),
    keypad(Level::Level3, "USPL", 77, 77, kDec),
    keypad(Level::Level3, "ANL2", 78, 78, kRaw),
    keypad(Level::Level3, "ANH2", 79, 79, kRaw),
    keypad(Level::Level3, "ALD1", 80, 80, kRaw),
    minSec(Level::Level3, "ALT1", 81, 81),
    keypad(Level::Level3, "ALD2", 82, 82, kRaw),
    minSec(Level::Level3, "ALT2", 83, 83),
    keypad(Level::Level3, "ALD3", 84, 84, kRaw),
    minSec(Level::Level3, "ALT3", 85, 85),
    keypad(Level::Level3, "HYSA", 86, 86, kDec),
    keypad(Level::Level3, "CLO1", 87, 87, kRaw),
    keypad(Level::Level3, "CHO1", 88, 88, kRaw),
    keypad(Level::Level3, "CLO2", 89, 89, kRaw),
    keypad(Level::Level3, "CHO2", 90, 90, kRaw),
    keypad(Level::Level3, "CLO3", 91, 91, kRaw),
    keypad(Level::Level3, "CHO3", 92, 92, kRaw),
    keypad(Level::Level3, "RUCY", 93, 93, kRaw),
    keypad(Level::Level3, "WAIT", 94, 94, kDec),
    bitDigits(Level::Level3, "SETA", 95, 95, 0),
    keypad(Level::Level3, "SVOS", 98, 100, kDec),
    keypad(Level::Level3, "PVOS", 99, 101, kDec),
    // Shifted with its block onto a register of its own, clear of PVOS's 101.
    keypad(Level::Level3, "SOFT", 101, 103, kThousandths),
    choice(Level::Level3, "OUD", 103, 105, items(kHeatCool)),
    choice(Level::Level3, "OPAD", 104, 106, items(kPidFuzzy)),
    choice(Level::Level3, "HZ", 105, 107, items(kMains)),

    bitDigits(Level::Level4, "SET1", 106, 108, 1),
    bitDigits(Level::Level4, "SET2", 107, 109, 1),
    bitDigits(Level::Level4, "SET3", 108, 110, 1),
    bitDigits(Level::Level4, "SET4", 109, 111, 1),
    bitDigits(Level::Level4, "SET5", 110, 112, 1),
    bitDigits(Level::Level4, "SET6", 111, 113, 1),
    bitDigits(Level::Level4, "SET7", 112, 114, 1),
    bitDigits(Level::Level4, "SET8", 113, 115, 1),
    bitDigits(Level::Level4, "SET9", 114, 116, 1),
    bitDigits(Level::Level4, "SET0", 115, 117, 1),
    choice(Level::Level4, "INP2", 116, 118, items(kThree)),
    choice(Level::Level4, "OUTY", 117, 119, items(kSix)),

    choice(Level::Program1, "PTN", 6, 6, items(kThree)),
    keypad(Level::Program1, "SV_1", 9, 9, kDec),
    minSec(Level::Program1, "TM_1", 10, 10),
    keypad(Level::Program1, "OUT_1", 11, 11, kTenths),
    keypad(Level::Program1, "SV_2", 12, 12, kDec),
    minSec(Level::Program1, "TM_2", 13, 13),
    keypad(Level::Program1, "OUT_2", 14, 14, kTenths),
    keypad(Level::Program1, "SV_3", 15, 15, kDec),
    minSec(Level::Program1, "TM_3", 16, 16),
    keypad(Level::Program1, "OUT_3", 17, 17, kTenths),
    keypad(Level::Program1, "SV_4", 18, 18, kDec),
    minSec(Level::Program1, "TM_4", 19, 19),
    keypad(Level::Program1, "OUT_4", 20, 20, kTenths),
    keypad(Level::Program1, "SV_5", 21, 21, kDec),
    minSec(Level::Program1, "TM_5", 22, 22),
    keypad(Level::Program1, "OUT_5", 23, 23, kTenths),
    keypad(Level::Program1, "SV_6", 24, 24, kDec),
    minSec(Level::Program1, "TM_6", 25, 25),
    keypad(Level::Program1, "OUT_6", 26, 26, kTenths),
    keypad(Level::Program1, "SV_7", 27, 27, kDec),
    minSec(Level::Program1, "TM_7", 28, 28),
    keypad(Level::Program1, "OUT_7", 29, 29, kTenths),
    keypad(Level::Program1, "SV_8", 30, 30, kDec),
    minSec(Level::Program1, "TM_8", 31, 31),
    keypad(Level::Program1, "OUT_8", 32, 32, kTenths),

    keypad(Level::Program2, "SV_1", 33, 33, kDec),
    minSec(Level::Program2, "TM_1", 34, 34),
    keypad(Level::Program2, "OUT_1", 35, 35, kTenths),
    keypad(Level::Program2, "SV_2", 36, 36, kDec),
    minSec(Level::Program2, "TM_2", 37, 37),
    keypad(Level::Program2, "OUT_2", 38, 38, kTenths),
    keypad(Level::Program2, "SV_3", 39, 39, kDec),
    minSec(Level::Program2, "TM_3", 40, 40),
    keypad(Level::Program2, "OUT_3", 41, 41, kTenths),
    keypad(Level::Program2, "SV_4", 42, 42, kDec),
    minSec(Level::Program2, "TM_4", 43, 43),
    keypad(Level::Program2, "OUT_4", 44, 44, kTenths),
    keypad(Level::Program2, "SV_5", 45, 45, kDec),
    minSec(Level::Program2, "TM_5", 46, 46),
    keypad(Level::Program2, "OUT_5", 47, 47, kTenths),
    keypad(Level::Program2, "SV_6", 48, 48, kDec),
    minSec(Level::Program2, "TM_6", 49, 49),
    keypad(Level::Program2, "OUT_6", 50, 50, kTenths),
    keypad(Level::Program2, "SV_7", 51, 51, kDec),
    minSec(Level::Program2, "TM_7", 52, 52),
    keypad(Level::Program2, "OUT_7", 53, 53, kTenths),
    keypad(Level::Program2, "SV_8", 54, 54, kDec),
    minSec(Level::Program2, "TM_8", 55, 55),
    keypad(Level::Program2, "OUT_8", 56, 56, kTenths),
};

// entriesOf() hands out slices of the table, so each level must be one run.
constexpr bool levelsInOrder()
{
    for (std::size_t i = 1; i < std::size(kEntries); ++i)
        if (int(kEntries[i].level) < int(kEntries[i - 1].level))
            return false;
    return true;
}
static_assert(levelsInOrder(), "the catalogue lists its levels one after the other");

struct LevelInfo {
    const char *caption;
    const char *initial;
};

constexpr LevelInfo kLevels[kLevelCount] = {
    {"Level 1", "SV"},   {"Level 2", "P1"},      {"Level 3", "ANL1"},
    {"Level 4", "SET1"}, {"Program 1", "SV_1"}, {"Program 2", "SV_1"},
};

} // namespace

LevelEntries allEntries() { return {std::begin(kEntries), std::end(kEntries)}; }

LevelEntries entriesOf(Level level)
{
    const ParameterEntry *first = std::begin(kEntries);
    while (first != std::end(kEntries) && first->level != level)
        ++first;
    const ParameterEntry *last = first;
    while (last != std::end(kEntries) && last->level == level)
        ++last;
    return {first, last};
}

const char *levelCaption(Level level) { return kLevels[int(level)].caption; }

const char *initialMnemonic(Level level) { return kLevels[int(level)].initial; }

const ParameterEntry *findParameter(Level level, std::string_view mnemonic)
{
    for (const ParameterEntry &entry : entriesOf(level))
        if (mnemonic == entry.mnemonic)
            return &entry;
    return nullptr;
}

ScaleClass scaleClassOf(int code)
{
    for (const ParameterEntry &entry : kEntries)
        if (entry.code == code)
            return entry.scale;
    return ScaleClass::Raw;
}
