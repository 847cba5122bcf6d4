#include "dpscan.h"

#include <algorithm>
#include <iterator>

namespace {
struct Range {
    int first;
    int last;
};

template <std::size_t N>
bool inRanges(const Range (&ranges)[N], int v)
{
    return std::any_of(std::begin(ranges), std::end(ranges),
                       [v](const Range &r) { return v >= r.first && v <= r.last; });
}

constexpr Range kTableAOne[] = {{0, 1},   {6, 7},   {21, 23}, {28, 30},
                                {33, 35}, {39, 41}, {45, 47}};
constexpr Range kTableAZero[] = {{2, 5},   {8, 20},  {24, 27}, {31, 32},
                                 {36, 38}, {42, 44}, {48, 50}};
constexpr Range kTableARegister[] = {{51, 55}};

constexpr Range kTableBOne[] = {{0, 0}, {2, 2}, {9, 9}, {14, 14}};
constexpr Range kTableBZero[] = {{1, 1}, {3, 8}, {10, 13}, {15, 16}};
constexpr Range kTableBRegister[] = {{17, 20}};
} // namespace

InputTable inputTableOf(int modelCode)
{
    return modelCode == kModelCodeTableA ? InputTable::A : InputTable::B;
}

DpRule dpRuleOf(InputTable table, int inputType)
{
    if (table == InputTable::A) {
        if (inRanges(kTableAOne, inputType))
            return DpRule::One;
        if (inRanges(kTableAZero, inputType))
            return DpRule::Zero;
        if (inRanges(kTableARegister, inputType))
            return DpRule::FromRegister;
        return DpRule::Unchanged;
    }
    if (inRanges(kTableBOne, inputType))
        return DpRule::One;
    if (inRanges(kTableBZero, inputType))
        return DpRule::Zero;
    if (inRanges(kTableBRegister, inputType))
        return DpRule::FromRegister;
    return DpRule::Unchanged;
}

int fallbackInputType(InputTable table)
{
    return table == InputTable::A ? 2 : 1;
}

int dpFor(DpRule rule, int previous)
{
    switch (rule) {
    case DpRule::One:
        return 1;
    case DpRule::Zero:
        return 0;
    case DpRule::FromRegister:
    case DpRule::Unchanged:
        break;
    }
    return previous;
}

bool plausibleDp(int value)
{
    return value >= 0 && value <= 3;
}
