#include "frames.h"

namespace {

constexpr std::uint8_t kReadHoldingRegister = 0x03;
constexpr std::uint8_t kWriteSingleRegister = 0x06;
constexpr std::uint8_t kNativeRead = 'R';

template <typename T>
std::uint16_t modbusCrc(const T *bytes, std::size_t count)
{
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= static_cast<std::uint16_t>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

void appendCrc(Frame &frame)
{
    const std::uint16_t crc = modbusCrc(frame.data(), frame.size());
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
}

void appendSum(Frame &frame)
{
    unsigned sum = 0;
    for (std::uint8_t b : frame)
        sum += b;
    frame.push_back(static_cast<std::uint8_t>(sum & 0xFF));
}

} // namespace

int CRC_checksum(const int *values, int count)
{
    const std::uint16_t crc = modbusCrc(values, count > 0 ? std::size_t(count) : 0);
    return ((crc & 0xFF) << 8) | (crc >> 8);
}

TAddress mapWriteAddress(TAddress address)
{
    // The controllers keep the parameters of this block two registers up. 0x65 moves
    // with them: left where it was, it would land on the register 0x63 goes to and an
    // SOFT write would shift the PV offset; 0x67 is the one register nothing reaches.
    if (address >= 0x60 && address <= 0x75)
        return static_cast<TAddress>(address + 2);
    return address;
}

Frame buildReadRequest(TPsl psl, int station, TAddress address)
{
    const auto st = static_cast<std::uint8_t>(station & 0xFF);
    if (psl == TPsl::rtu) {
        Frame f{st, kReadHoldingRegister, 0x00, address, 0x00, 0x01};
        appendCrc(f);
        return f;
    }
    Frame f{kNativeRead, st, 0x00, address, 0x00, 0x00};
    appendSum(f);
    return f;
}

Frame buildWriteFrame(TPsl psl, TCommand command, TAddress address, int station,
                      std::uint16_t value)
{
    const auto st = static_cast<std::uint8_t>(station & 0xFF);
    const TAddress mapped = mapWriteAddress(address);
    const auto hi = static_cast<std::uint8_t>(value >> 8);
    const auto lo = static_cast<std::uint8_t>(value & 0xFF);
    if (psl == TPsl::rtu) {
        Frame f{st, kWriteSingleRegister, 0x00, mapped, hi, lo};
        appendCrc(f);
        return f;
    }
    Frame f{static_cast<std::uint8_t>(command), st, 0x00, mapped, hi, lo};
    appendSum(f);
    return f;
}

ReplyLayout replyLayout(TPsl psl, TConverter converter)
{
    const bool echo = converter == TConverter::RS422_485;
    if (psl == TPsl::rtu)
        return echo ? ReplyLayout{15, 8, 7} : ReplyLayout{7, 0, 7};
    return echo ? ReplyLayout{15, 7, 8} : ReplyLayout{8, 0, 8};
}

ReplyCheck checkReply(TPsl psl, TConverter converter, const std::uint8_t *bytes,
                      std::size_t count)
{
    const ReplyLayout layout = replyLayout(psl, converter);
    if (count != static_cast<std::size_t>(layout.bytesRead))
        return {ReplyVerdict::WrongLength, 0};
    const std::uint8_t *r = bytes + layout.replyOffset;

    if (psl == TPsl::rtu) {
        // The controllers are known to send the CRC bytes in either order, so only
        // the sum of the two bytes is compared.
        const std::uint16_t crc = modbusCrc(r, 5);
        if ((crc & 0xFF) + (crc >> 8) != r[5] + r[6])
            return {ReplyVerdict::BadChecksum, 0};
        return {ReplyVerdict::Accepted, static_cast<std::int16_t>((r[3] << 8) | r[4])};
    }
    const unsigned sum = r[1] + r[2] + r[3] + r[4] + r[5] + r[6];
    if ((sum & 0xFF) != r[7])
        return {ReplyVerdict::BadChecksum, 0};
    return {ReplyVerdict::Accepted, static_cast<std::int16_t>((r[5] << 8) | r[6])};
}

std::string valueText(std::int16_t value)
{
    return std::to_string(static_cast<int>(value));
}

const char *verdictText(ReplyVerdict verdict)
{
    switch (verdict) {
    case ReplyVerdict::Accepted:
        return "accepted";
    case ReplyVerdict::WrongLength:
        return "wrong number of bytes";
    case ReplyVerdict::BadChecksum:
        return "bad checksum";
    }
    return "?";
}
