#pragma once

// How a parameter's typed value becomes the integer the controller stores: by the
// slot's decimal places, in tenths, in thousandths, or as typed.

enum class ScaleClass { DecimalPoint, Tenths, Thousandths, Raw };

// The scale of parameter `code` (0 to 117), read from the parameter catalogue, so
// the write path and the setting page cannot disagree; codes no level offers are Raw.
ScaleClass scaleClassOf(int code);
