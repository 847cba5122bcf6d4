#pragma once

#include <cstdint>

// The two line types: the 4-wire converter hands every transmitted byte back to the
// receiver before the reply; the 2-wire one does not.
enum class TConverter { RS422_485 = 0, RS485 = 1 };

// The two controller protocols: Modbus RTU and the controllers' native checksum frames.
enum class TPsl { rtu = 0, vorn = 1 };

using TAddress = std::uint8_t;
using TCommand = char;

// How one read went, attempt by attempt, for the line health figures. Each failed
// attempt counts once, under the first reason that fits: nothing or too little came
// back (a port that cannot be used counts here too, as one attempt), the 4-wire
// converter's echo did not come back as sent, or a whole reply failed its check sum.
struct ReadOutcome {
    int attempts = 0;
    int timeouts = 0;
    int echoErrors = 0;
    int checksumErrors = 0;
    bool good = false;
    double replyMs = 0; // the good attempt: from writing its request to holding its reply
};
