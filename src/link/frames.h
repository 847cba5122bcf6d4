#pragma once

// Request, write and reply frames of both controller protocols, as pure functions
// over bytes. Nothing here touches a port.

#include "linktypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Frame = std::vector<std::uint8_t>;

// Modbus CRC-16 of `count` bytes, each passed as one int. The result has its two
// bytes swapped, so its high byte is the byte that goes on the wire first.
int CRC_checksum(const int *values, int count);

// The controllers place some parameters two registers further up than their
// parameter number; writes are mapped, reads never.
TAddress mapWriteAddress(TAddress address);

Frame buildReadRequest(TPsl psl, int station, TAddress address);
// `address` is mapped here; the caller passes the parameter address.
Frame buildWriteFrame(TPsl psl, TCommand command, TAddress address, int station,
                      std::uint16_t value);

// How many bytes one read attempt asks the port for, and where the reply sits in them.
struct ReplyLayout {
    int bytesRead;
    int replyOffset;
    int replyLength;
};
ReplyLayout replyLayout(TPsl psl, TConverter converter);

enum class ReplyVerdict { Accepted, WrongLength, BadChecksum };

struct ReplyCheck {
    ReplyVerdict verdict;
    std::int16_t value; // meaningful only when accepted
    bool accepted() const { return verdict == ReplyVerdict::Accepted; }
};

// Judges the bytes one read attempt returned. Echoed bytes are skipped unexamined;
// neither station nor function byte is compared with the request.
ReplyCheck checkReply(TPsl psl, TConverter converter, const std::uint8_t *bytes,
                      std::size_t count);

// Signed decimal text of a register value: "-15", "0", "32767".
std::string valueText(std::int16_t value);

const char *verdictText(ReplyVerdict verdict);
