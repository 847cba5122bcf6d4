#include "strictint.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *text;
    std::optional<int> value;
};

TEST(StrToInt, AcceptsOnlyASignAndDigitsWithinInt)
{
    const Case cases[] = {
        {"0", 0},
        {"12", 12},
        {"+7", 7},
        {"-1", -1},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"1a", std::nullopt},
        {"1.0", std::nullopt},
        {"0x10", std::nullopt},
        {"$10", std::nullopt},
        {"--1", std::nullopt},
        {"１２", std::nullopt}, // full-width digits
        {"٣", std::nullopt},   // other scripts' digits
    };
    for (const Case &c : cases)
        EXPECT_EQ(strToInt(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(StrToInt, MessageNamesTheText)
{
    EXPECT_EQ(notAnIntegerMessage(QStringLiteral("x")), QStringLiteral("「x」不是有效的整數"));
}

// The tile's ID field and the settings load follow this one rule.
TEST(StationId, DigitsOnlyWithinInt)
{
    struct Case {
        const char *text;
        std::optional<int> id;
    };
    const Case cases[] = {{"1", 1}, {"255", 255}, {"007", 7}, {"2147483647", 2147483647},
                          {"2147483648", std::nullopt}, {"", std::nullopt}, {"+5", std::nullopt},
                          {" 5", std::nullopt}, {"5a", std::nullopt}};
    for (const Case &c : cases)
        EXPECT_EQ(stationIdFromText(QString::fromLatin1(c.text)), c.id) << c.text;
}

} // namespace
