#pragma once

// Cuts the byte stream a line receives into requests. The program writes a whole
// request at once, so frames are told apart by length (8 bytes Modbus RTU, 7 native)
// and by their checksum; a stale partial frame is dropped after a silent gap, and a
// byte is dropped whenever the bytes gathered cannot begin a valid frame.

#include "simoptions.h"

#include "frames.h"

#include <cstdint>
#include <vector>

struct SimRequest {
    TPsl psl = TPsl::rtu;
    std::uint8_t station = 0;
    std::uint8_t function = 0;   // rtu 0x03 / 0x06; native: the command byte ('R', 'W')
    std::uint16_t address = 0;
    std::uint16_t value = 0;     // write value; rtu read: register count
    Frame raw;
    std::size_t lastByteIndex = 0; // index, within the bytes of the feed() call, of the frame's last byte
    bool isRead() const { return psl == TPsl::rtu ? function == 0x03 : function == 'R'; }
};

class FrameDecoder {
public:
    // `gapUs`: silence after which a partial frame counts as abandoned.
    FrameDecoder(SimPsl mode, std::int64_t gapUs);

    std::vector<SimRequest> feed(const std::uint8_t *bytes, std::size_t count, std::int64_t nowUs);

    std::size_t pending() const { return buffer_.size(); }
    std::uint64_t droppedBytes() const { return dropped_; }

    // 3.5 character times at `baud`, but not below the 1.75 ms Modbus uses above 19200 bit/s.
    static std::int64_t gapForBaud(int baud);

private:
    void decodeBuffered(std::vector<SimRequest> &out);

    SimPsl mode_;
    std::int64_t gapUs_;
    std::vector<std::uint8_t> buffer_;
    std::int64_t lastByteUs_ = 0;
    std::uint64_t dropped_ = 0;
};
