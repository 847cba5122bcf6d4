#pragma once

// Turns the value text a window composed into the 16-bit integer a controller
// stores. The text is shifted by the scale's power of ten on its decimal digits and
// truncated toward zero, so 0.29 with two decimals is 29 (a double product would
// give 28.999... and send 28).

#include "scaleclass.h"

#include <QString>

#include <cstdint>

// NoSuchSlot: the request names a panel or slot that does not exist.
enum class WriteRejection { None, NotANumber, OutOfRange, NoSuchSlot };

struct ScaledValue {
    WriteRejection rejection = WriteRejection::None;
    int value = 0; // the scaled integer, -32768..32767 when accepted
    bool accepted() const { return rejection == WriteRejection::None; }
    // What goes on the wire: the low 16 bits, two's complement for negatives.
    std::uint16_t wireValue() const { return static_cast<std::uint16_t>(value); }
};

// Power of ten a value of `scale` is multiplied by; `dp` matters for DecimalPoint only.
int scaleExponent(ScaleClass scale, int dp);

// Accepts plain decimal numbers only: optional sign, digits, at most one "." and at
// least one digit; surrounding blanks are ignored. "1e5", "1.2.3", "." are refused.
ScaledValue scaleWriteValue(const QString &text, ScaleClass scale, int dp);
