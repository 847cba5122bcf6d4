#include "scaleclass.h"

#include <algorithm>
#include <iterator>

namespace {
// Parameters that carry a temperature (set values, alarm points, band limits) follow
// the controller's decimal places; times and percentages have fixed units.
constexpr int kDecimalPointCodes[] = {0,  3,  4,  5,  9,  12, 15, 18, 21, 24, 27,
                                      30, 33, 36, 39, 42, 45, 48, 51, 54, 61, 63,
                                      68, 69, 70, 76, 77, 86, 94, 98, 99};
constexpr int kTenthsCodes[] = {1,  11, 14, 17, 20, 23, 26, 29, 32, 35,
                                38, 41, 44, 47, 50, 53, 56, 57, 60, 64};
constexpr int kThousandthsCode = 101;

template <std::size_t N>
bool contains(const int (&codes)[N], int code)
{
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}
} // namespace

ScaleClass scaleClassOf(int code)
{
    if (contains(kDecimalPointCodes, code))
        return ScaleClass::DecimalPoint;
    if (contains(kTenthsCodes, code))
        return ScaleClass::Tenths;
    if (code == kThousandthsCode)
        return ScaleClass::Thousandths;
    return ScaleClass::Raw;
}
