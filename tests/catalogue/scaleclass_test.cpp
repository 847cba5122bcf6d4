#include "scaleclass.h"

#include <gtest/gtest.h>

namespace {
struct ClassCase {
    int code;
    ScaleClass scale;
};

// Named parameters and the edges between classes.
const ClassCase kCases[] = {
    {0, ScaleClass::DecimalPoint},  // SV
    {1, ScaleClass::Tenths},
    {2, ScaleClass::Raw},           // AT
    {3, ScaleClass::DecimalPoint},  {5, ScaleClass::DecimalPoint},
    {6, ScaleClass::Raw},           {8, ScaleClass::Raw},
    {9, ScaleClass::DecimalPoint},  {10, ScaleClass::Raw},
    {11, ScaleClass::Tenths},       {13, ScaleClass::Raw},
    {54, ScaleClass::DecimalPoint}, {55, ScaleClass::Raw},
    {56, ScaleClass::Tenths},       {57, ScaleClass::Tenths},
    {58, ScaleClass::Raw},          {60, ScaleClass::Tenths},
    {61, ScaleClass::DecimalPoint}, {62, ScaleClass::Raw},
    {64, ScaleClass::Tenths},       {68, ScaleClass::DecimalPoint},
    {70, ScaleClass::DecimalPoint}, {71, ScaleClass::Raw}, // LCK
    {76, ScaleClass::DecimalPoint}, {78, ScaleClass::Raw},
    {86, ScaleClass::DecimalPoint}, {94, ScaleClass::DecimalPoint},
    {98, ScaleClass::DecimalPoint}, {99, ScaleClass::DecimalPoint},
    {100, ScaleClass::Raw},         {101, ScaleClass::Thousandths}, // SOFT
    {102, ScaleClass::Raw},         {117, ScaleClass::Raw},
    {-1, ScaleClass::Raw},          {255, ScaleClass::Raw},
};

TEST(ScaleClass, ClassOfEveryNamedCode)
{
    for (const ClassCase &c : kCases)
        EXPECT_EQ(scaleClassOf(c.code), c.scale) << "code " << c.code;
}
} // namespace
