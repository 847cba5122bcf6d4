#pragma once

// How a controller's model code and input type decide its decimal places. Model 104
// has its own input-type table (A); every other model uses table B.

enum class InputTable { A, B };

// What the input type says about the slot's decimal places.
enum class DpRule {
    One,          // thermocouple and RTD types shown in tenths
    Zero,         // types shown in whole degrees
    FromRegister, // linear inputs: the controller's own DP setting decides
    Unchanged     // negative or unknown types leave the slot's value alone
};

constexpr int kModelCodeTableA = 104;

InputTable inputTableOf(int modelCode);
DpRule dpRuleOf(InputTable table, int inputType);
// The input type assumed when the input-type read fails (a whole-degree type).
int fallbackInputType(InputTable table);
// The rule's decimal places for One and Zero; `previous` otherwise.
int dpFor(DpRule rule, int previous);
// A DP register value the model accepts; anything else is treated as a failed read.
bool plausibleDp(int value);
