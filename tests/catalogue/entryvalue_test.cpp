// Value texts of the entry kinds, and the limits of a typed Level 1 or Level 2 value.

#include "entryvalue.h"

#include <gtest/gtest.h>

namespace {

EntryInput picked(int a, int b = 0, int c = 0, int d = 0)
{
    EntryInput input;
    input.indexes = {a, b, c, d};
    return input;
}

TEST(EntryValue, TextsOfTheKinds)
{
    struct Case {
        const char *what;
        EntryKind kind;
        EntryInput input;
        const char *text;
    };
    EntryInput typed;
    typed.fieldText = QStringLiteral("025.50");
    EntryInput empty;
    const Case cases[] = {
        {"typed text unchanged", EntryKind::Keypad, typed, "025.50"},
        {"empty field placed empty", EntryKind::Keypad, empty, ""},
        {"NO", EntryKind::YesNo, picked(0), "0"},
        {"YES", EntryKind::YesNo, picked(1), "1"},
        {"first item", EntryKind::Choice, picked(0), "0"},
        {"DP 00.00", EntryKind::Choice, picked(2), "2"},
        {"digits 1 1 1 1", EntryKind::BitDigits, picked(1, 1, 1, 1), "4369"},
        {"LCK 1 0 1 0", EntryKind::BitDigits, picked(1, 0, 1, 0), "4112"},
        {"digit 1 alone", EntryKind::BitDigits, picked(0, 0, 0, 1), "1"},
        {"digit 4 alone", EntryKind::BitDigits, picked(1, 0, 0, 0), "4096"},
        {"12:34", EntryKind::MinSec, picked(1, 2, 3, 4), "754"},
        {"99:59", EntryKind::MinSec, picked(9, 9, 5, 9), "5999"},
        {"01:30", EntryKind::MinSec, picked(0, 1, 3, 0), "90"},
        {"00:00", EntryKind::MinSec, picked(0, 0, 0, 0), "0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(entryValueText(c.kind, c.input), QString::fromLatin1(c.text)) << c.what;
}

TEST(EntryValue, SelectorEntriesIgnoreTheField)
{
    EntryInput input = picked(1, 0, 0, 0);
    input.fieldText = QStringLiteral("77");
    EXPECT_EQ(entryValueText(EntryKind::YesNo, input), "1");
    EXPECT_EQ(entryValueText(EntryKind::BitDigits, input), "4096");
}

TEST(LimitedEntry, VerdictsOfTypedValues)
{
    struct Case {
        const char *text;
        LimitVerdict verdict;
    };
    const Case cases[] = {
        {"12.5", LimitVerdict::Accepted},     {"025.50", LimitVerdict::Accepted},
        {"2499.9", LimitVerdict::Accepted},   {"-199.9", LimitVerdict::Accepted},
        {"0", LimitVerdict::Accepted},        {".5", LimitVerdict::Accepted},
        {"5.", LimitVerdict::Accepted},       {"2500", LimitVerdict::OutOfRange},
        {"2500.0", LimitVerdict::OutOfRange}, {"-200", LimitVerdict::OutOfRange},
        {"99999", LimitVerdict::OutOfRange},  {"-1000", LimitVerdict::OutOfRange},
        {"..", LimitVerdict::TwoPoints},      {"1.2.3", LimitVerdict::TwoPoints},
        {"", LimitVerdict::Empty},            {".", LimitVerdict::NotANumber},
        {"-", LimitVerdict::NotANumber},      {"1-2", LimitVerdict::NotANumber},
        {"1e3", LimitVerdict::NotANumber},    {"abc", LimitVerdict::NotANumber},
        {" ", LimitVerdict::NotANumber},      {"--5", LimitVerdict::NotANumber},
    };
    for (const Case &c : cases)
        EXPECT_EQ(checkLimitedEntry(QString::fromLatin1(c.text), true), c.verdict) << '"' << c.text << '"';
}

// AT and LCK come from selectors: only the "." test looks at the field.
TEST(LimitedEntry, SelectorEntriesCheckOnlyThePoints)
{
    EXPECT_EQ(checkLimitedEntry(QString(), false), LimitVerdict::Accepted);
    EXPECT_EQ(checkLimitedEntry(QStringLiteral("9999"), false), LimitVerdict::Accepted);
    EXPECT_EQ(checkLimitedEntry(QStringLiteral("1..2"), false), LimitVerdict::TwoPoints);
}

} // namespace
