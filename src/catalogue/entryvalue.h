#pragma once

// The value text a write request carries, composed from what the operator entered,
// by the parameter's entry kind; and the limits a typed Level 1 or Level 2 value
// must keep before it is placed.

#include "catalogue.h"

#include <QString>

#include <array>

// Four binary digits, one hexadecimal nibble each: 1 1 1 1 gives 0x1111 (4369).
int bitDigitsValue(int digit4, int digit3, int digit2, int digit1);

// M M : S S as a duration in seconds, 0 to 5999.
int minSecSeconds(int tensOfMinutes, int minutes, int tensOfSeconds, int seconds);

// What the page read from an entry: the value field's text, and the selected
// index of each of the entry's selectors, left to right as shown.
struct EntryInput {
    QString fieldText;
    std::array<int, kMaxEntrySelectors> indexes{};
};

// Keypad: the field's text unchanged (025.50 stays 025.50). YesNo and Choice: the
// selected index. BitDigits and MinSec: the value of their four selectors.
QString entryValueText(EntryKind kind, const EntryInput &input);

enum class LimitVerdict { Accepted, TwoPoints, Empty, NotANumber, OutOfRange };

// A Level 1 or Level 2 write: never more than one "."; when the value is typed
// (`typedValue`, a Keypad entry), a plain decimal number strictly between -200 and
// 2500. The "." test comes first and applies to selector entries too.
LimitVerdict checkLimitedEntry(const QString &fieldText, bool typedValue);
