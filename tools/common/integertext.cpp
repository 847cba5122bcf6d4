#include "integertext.h"

#include <limits>

namespace {

int digitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

} // namespace

std::optional<long long> readInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;

    // Accumulated as a negative number, whose range reaches one further than the
    // positive one, so the lowest value reads without overflow.
    constexpr long long kLowest = std::numeric_limits<long long>::min();
    long long value = 0;
    for (const char c : text) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        if (value < (kLowest + digit) / base)
            return std::nullopt;
        value = value * base - digit;
    }
    if (!negative) {
        if (value == kLowest)
            return std::nullopt;
        value = -value;
    }
    return value;
}

std::optional<long long> readIntegerInRange(std::string_view text, long long low, long long high)
{
    const std::optional<long long> value = readInteger(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}
