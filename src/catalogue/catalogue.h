#pragma once

// The parameters an operator can write, tab by tab, as static data: for every
// mnemonic its parameter code, the register the link writes it to, its scale, how
// the value is entered, and the items of the selectors that enter it.

#include "scaleclass.h"

#include <cstddef>
#include <string_view>

enum class Level { Level1, Level2, Level3, Level4, Program1, Program2 };
constexpr int kLevelCount = 6;

enum class EntryKind { Keypad, YesNo, BitDigits, MinSec, Choice };

// A fixed list of selector item texts.
struct ItemList {
    const char *const *texts = nullptr;
    int count = 0;

    const char *operator[](int index) const { return texts[index]; }
    const char *const *begin() const { return texts; }
    const char *const *end() const { return texts + count; }
};

// One selector of an entry: its items and the index it shows at first.
struct EntrySelector {
    ItemList items;
    int initial = 0;
};

// Keypad entries have no selector; YesNo and Choice one; BitDigits and MinSec four,
// left to right as shown: digit 4 to digit 1, or tens of minutes, minutes, tens of
// seconds, seconds.
constexpr int kMaxEntrySelectors = 4;

struct ParameterEntry {
    Level level;
    const char *mnemonic;
    int code;
    int registerAddress;
    ScaleClass scale;
    EntryKind entry;
    int selectorCount;
    EntrySelector selectors[kMaxEntrySelectors];
};

// A level's entries in selector order.
struct LevelEntries {
    const ParameterEntry *first = nullptr;
    const ParameterEntry *last = nullptr;

    const ParameterEntry *begin() const { return first; }
    const ParameterEntry *end() const { return last; }
    std::size_t size() const { return std::size_t(last - first); }
    const ParameterEntry &operator[](std::size_t i) const { return first[i]; }
};

LevelEntries entriesOf(Level level);
// Every entry of all six levels, level by level.
LevelEntries allEntries();

// The tab caption: "Level 1" ... "Program 2".
const char *levelCaption(Level level);
// The mnemonic the level's selector shows before the operator picks one.
const char *initialMnemonic(Level level);

// Exact match, case included; nullptr when the level has no such mnemonic.
const ParameterEntry *findParameter(Level level, std::string_view mnemonic);
