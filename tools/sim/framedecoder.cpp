#include "framedecoder.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::size_t kRtuLength = 8;
constexpr std::size_t kNativeLength = 7;

bool nativeChecksumOk(const std::uint8_t *b)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < 6; ++i)
        sum += b[i];
    return (sum & 0xFF) == b[6];
}

bool rtuCrcOk(const std::uint8_t *b)
{
    int values[6];
    for (int i = 0; i < 6; ++i)
        values[i] = b[i];
    const int crc = CRC_checksum(values, 6); // first wire byte in the high half
    return b[6] == ((crc >> 8) & 0xFF) && b[7] == (crc & 0xFF);
}

bool nativeCommand(std::uint8_t b) { return b == 'R' || b == 'W'; }

} // namespace

FrameDecoder::FrameDecoder(SimPsl mode, std::int64_t gapUs) : mode_(mode), gapUs_(gapUs) {}

std::int64_t FrameDecoder::gapForBaud(int baud)
{
    const std::int64_t charUs = baud > 0 ? (11LL * 1000000 + baud - 1) / baud : 0;
    return std::max<std::int64_t>(charUs * 7 / 2, 1750);
}

std::vector<SimRequest> FrameDecoder::feed(const std::uint8_t *bytes, std::size_t count, std::int64_t nowUs)
{
    std::vector<SimRequest> out;
    if (count == 0)
        return out;
    if (!buffer_.empty() && nowUs - lastByteUs_ > gapUs_) {
        dropped_ += buffer_.size();
        buffer_.clear();
    }
    lastByteUs_ = nowUs;
    // Bytes are decoded one at a time so each frame knows which byte of this chunk
    // ended it: the wire-time emulation dates the reply from that byte.
    for (std::size_t i = 0; i < count; ++i) {
        buffer_.push_back(bytes[i]);
        decodeBuffered(out);
        for (auto &r : out)
            if (r.lastByteIndex == SIZE_MAX)
                r.lastByteIndex = i;
    }
    return out;
}

void FrameDecoder::decodeBuffered(std::vector<SimRequest> &out)
{
    for (;;) {
        const std::size_t n = buffer_.size();
        if (n == 0)
            return;
        const std::uint8_t *b = buffer_.data();

        bool native = mode_ != SimPsl::rtu && nativeCommand(b[0]) && (n < 3 || b[2] == 0x00);
        bool rtu = mode_ != SimPsl::vorn && (n < 2 || b[1] == 0x03 || b[1] == 0x06);

        if (native && n >= kNativeLength) {
            if (nativeChecksumOk(b)) {
                SimRequest r;
                r.psl = TPsl::vorn;
                r.function = b[0];
                r.station = b[1];
                r.address = b[3];
                r.value = std::uint16_t((b[4] << 8) | b[5]);
                r.raw.assign(b, b + kNativeLength);
                r.lastByteIndex = SIZE_MAX;
                buffer_.erase(buffer_.begin(), buffer_.begin() + kNativeLength);
                out.push_back(std::move(r));
                continue;
            }
            native = false;
        }
        if (rtu && n >= kRtuLength) {
            if (rtuCrcOk(b)) {
                SimRequest r;
                r.psl = TPsl::rtu;
                r.station = b[0];
                r.function = b[1];
                r.address = std::uint16_t((b[2] << 8) | b[3]);
                r.value = std::uint16_t((b[4] << 8) | b[5]);
                r.raw.assign(b, b + kRtuLength);
                r.lastByteIndex = SIZE_MAX;
                buffer_.erase(buffer_.begin(), buffer_.begin() + kRtuLength);
                out.push_back(std::move(r));
                continue;
            }
            rtu = false;
        }
        if (native || rtu)
            return; // a frame may still complete
        buffer_.erase(buffer_.begin());
        ++dropped_;
    }
}
