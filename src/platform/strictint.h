#pragma once

// Whole numbers typed by operators or kept in the store: an optional sign and decimal
// digits, nothing else (no blanks, no hex), within the range of int.

#include <QString>

#include <optional>

std::optional<int> strToInt(const QString &text);

// A station ID as the tile's ID field holds it: decimal digits only (no sign), within
// the range of int. The tile's field takes nothing else, and the settings load holds
// stored IDs to the same rule.
std::optional<int> stationIdFromText(const QString &text);

// The error text for a text that is not a whole number.
QString notAnIntegerMessage(const QString &text);
