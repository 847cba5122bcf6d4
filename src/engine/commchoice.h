#pragma once

// The communication dialog's choice for one panel turned into the engine's line
// settings: which item of each list is chosen and what the other-port field holds.
// Pure, so the mapping is tested without the dialog.

#include "plantmodel.h"

#include <QString>

struct CommChoice {
    int portItem = -1;      // "COM 1".."COM 8" as 0..7, -1 for none
    QString typedPort;      // "其他通訊埠"; when not empty it wins over the list
    int bpsItem = -1;       // 38400, 19200, 9600, 4800, 2400 as 0..4
    int converterItem = -1; // 4-wire, 2-wire, RS232 as 0..2
    int pslItem = -1;       // VORN, RTU as 0, 1
};

struct LineChoice {
    enum class Outcome {
        Applied,
        NoPort,              // neither a listed nor a typed port: ComPort 0, the panel goes quiet
        TypedPortNotANumber, // nothing applied
        TypedPortOutOfRange, // nothing applied; `refusedPort` is the number typed
    };
    Outcome outcome = Outcome::Applied;
    LineSettings line;
    int refusedPort = 0;
};

constexpr int kListedComPorts = 8;
// As far as Windows numbers its COM ports, and as the field's hint says.
constexpr int kLastTypedComPort = 256;

// `current` with the choice applied: an item index outside a list leaves its value
// as it was (the speed, the converter, the protocol). The device name is left to the
// caller, which knows the port map.
LineChoice lineSettingsForChoice(const LineSettings &current, const CommChoice &choice);

// The items that show the engine's values: a port beyond the list shows its last
// item, port 0 none; a speed not listed gives -1.
int portItemForComPort(int comPort);
int bpsItemForBaudRate(int baudRate);
