#pragma once

// What a controller sends back for one request, as bytes. Writes are applied to the
// register the frame names: the sender's address mapping is not undone here, so a
// mapping fault shows in the registers.

#include "framedecoder.h"
#include "simcontroller.h"

#include <optional>

// The plain reply of a healthy controller; applies writes to `controller`.
// Modbus requests outside registers 0..255 get an exception reply.
Frame buildReply(const SimRequest &request, SimController &controller);

// Spoils a reply the way a noisy line would: `corrupt` changes the last byte
// (so the checksum no longer matches), `garbage` replaces the bytes by random ones
// of the same length whose checksum is made sure to be wrong.
void mangleReply(Frame &reply, TPsl psl, FaultKind mangle, SimController &controller);
