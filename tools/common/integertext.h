#pragma once

// Whole numbers typed by someone commissioning a line, on a command line or at the
// simulator's console: an optional sign, then decimal digits or 0x and hex digits,
// with nothing before or after ("12", "+5", "-15", "0x8A", "-0x10").

#include <optional>
#include <string_view>

std::optional<long long> readInteger(std::string_view text);

// The same, refused when outside low..high.
std::optional<long long> readIntegerInRange(std::string_view text, long long low, long long high);
