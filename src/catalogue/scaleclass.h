#pragma once

// How a parameter's typed value becomes the integer the controller stores: by the
// slot's decimal places, in tenths, in thousandths, or as typed.

enum class ScaleClass { DecimalPoint, Tenths, Thousandths, Raw };

// The scale of parameter `code` (0 to 117); codes outside the catalogue are Raw.
ScaleClass scaleClassOf(int code);
