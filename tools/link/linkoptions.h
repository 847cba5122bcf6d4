#pragma once

// Command line of tempmon-link, parsed without touching a port so every rule
// about arguments can be tested on its own.

#include "linktypes.h"

#include <cstdint>
#include <string>
#include <vector>

enum class LinkAction { Read, Write, Stats, Help };

struct LinkOptions {
    LinkAction action = LinkAction::Help;
    int port = 0;       // set when --port was given
    std::string device; // set when --device was given
    int baud = 38400;
    TPsl psl = TPsl::rtu;
    TConverter converter = TConverter::RS485;
    int station = 0;
    int address = 0;
    int retry = 3;
    std::uint16_t value = 0; // write only; negative values as two's complement
    int count = 0;           // stats only: how many reads
};

struct LinkParse {
    bool ok = false;
    LinkOptions options;
    std::string error; // when !ok: what was wrong, for the operator
};

// `args` excludes the program name.
LinkParse parseLinkOptions(const std::vector<std::string> &args);

std::string linkUsage();

// "1 attempt", "6 attempts": how many times a read was tried, for the operator.
std::string attemptsText(int attempts);
