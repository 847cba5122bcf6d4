#pragma once

#include <cstdint>

// The two line types: the 4-wire converter hands every transmitted byte back to the
// receiver before the reply; the 2-wire one does not.
enum class TConverter { RS422_485 = 0, RS485 = 1 };

// The two controller protocols: Modbus RTU and the controllers' native checksum frames.
enum class TPsl { rtu = 0, vorn = 1 };

using TAddress = std::uint8_t;
using TCommand = char;
