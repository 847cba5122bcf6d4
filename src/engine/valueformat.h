#pragma once

// PV and SV as the operator reads them: the register integer over 10^dp, rounded to
// four significant digits and written with exactly dp decimals. A value with more
// than four integer digits after rounding is written as mantissa and exponent,
// "1.235E+4".

#include <QString>

// `dp` outside 0..9 is taken as 0 (never as a negative shift).
QString formatReading(int value, int dp);
