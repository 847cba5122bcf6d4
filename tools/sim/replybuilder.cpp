#include "replybuilder.h"

namespace {

constexpr std::uint8_t kIllegalDataAddress = 0x02;

void appendCrc(Frame &f)
{
    std::vector<int> values(f.begin(), f.end());
    const int crc = CRC_checksum(values.data(), int(values.size()));
    f.push_back(std::uint8_t((crc >> 8) & 0xFF));
    f.push_back(std::uint8_t(crc & 0xFF));
}

std::uint8_t nativeSum(const Frame &f)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i <= 6 && i < f.size(); ++i)
        sum += f[i];
    return std::uint8_t(sum & 0xFF);
}

Frame rtuException(std::uint8_t station, std::uint8_t function)
{
    Frame f{station, std::uint8_t(function | 0x80), kIllegalDataAddress};
    appendCrc(f);
    return f;
}

Frame nativeReply(std::uint8_t command, std::uint8_t station, std::uint8_t address, std::uint16_t value)
{
    // r[4] carries the data length, as in a Modbus reply; only r[1..7] are judged.
    Frame f{command, station, 0x00, address, 0x02, std::uint8_t(value >> 8), std::uint8_t(value & 0xFF)};
    f.push_back(nativeSum(f));
    return f;
}

} // namespace

Frame buildReply(const SimRequest &request, SimController &controller)
{
    if (request.psl == TPsl::rtu) {
        if (request.function == 0x03) {
            const unsigned count = request.value;
            if (count < 1 || count > 125 || request.address + count > 256)
                return rtuException(request.station, request.function);
            Frame f{request.station, 0x03, std::uint8_t(2 * count)};
            for (unsigned i = 0; i < count; ++i) {
                const std::uint16_t v = controller.reg(int(request.address + i));
                f.push_back(std::uint8_t(v >> 8));
                f.push_back(std::uint8_t(v & 0xFF));
            }
            appendCrc(f);
            return f;
        }
        if (request.address > 0xFF)
            return rtuException(request.station, request.function);
        controller.setReg(request.address, request.value);
        return request.raw; // a Modbus write is acknowledged by echoing it
    }

    const auto address = std::uint8_t(request.address);
    if (!request.isRead())
        controller.setReg(address, request.value);
    return nativeReply(request.function, request.station, address, controller.reg(address));
}

void mangleReply(Frame &reply, TPsl psl, FaultKind mangle, SimController &controller)
{
    if (reply.empty())
        return;
    if (mangle == FaultKind::corrupt) {
        // One step off in the last checksum byte: the CRC byte sum and the native
        // sum both stop matching, whatever the data.
        reply.back() = std::uint8_t(reply.back() + 1);
        return;
    }
    if (mangle != FaultKind::garbage)
        return;
    for (auto &b : reply)
        b = controller.randomByte();
    if (psl == TPsl::rtu && reply.size() == 7) {
        Frame head(reply.begin(), reply.begin() + 5);
        appendCrc(head);
        if (head[5] + head[6] == reply[5] + reply[6])
            reply[6] = std::uint8_t(reply[6] ^ 1);
    } else if (psl == TPsl::vorn && reply.size() == 8) {
        if (nativeSum(reply) == reply[7])
            reply[7] = std::uint8_t(reply[7] ^ 1);
    }
}
