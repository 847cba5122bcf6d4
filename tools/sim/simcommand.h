#pragma once

// One line typed on the simulator's stdin, parsed but not yet carried out.

#include "simoptions.h"

#include <string>

enum class FaultKind { none, silent, corrupt, garbage, every, late };

struct SimCommand {
    enum class Kind { fault, lineDown, lineUp, set, get, model, pv, hold, stats, reset, quit };
    Kind kind = Kind::stats;
    int line = 0;
    int station = 0;
    FaultKind fault = FaultKind::none;
    double faultParam = 0; // K of "every" and "corrupt", milliseconds of "late"
    int reg = 0;
    int value = 0;         // set, pv: -32768 .. 65535 (stored as 16 bits)
    int modelCode = 0;
    int inputType = 0;
    int dp = -1;           // model: -1 leaves the DP register alone
    bool on = false;       // hold
};

// Empty lines are refused too, so every input line gets exactly one answer.
Parsed<SimCommand> parseSimCommand(const std::string &text);

const char *faultName(FaultKind kind);
