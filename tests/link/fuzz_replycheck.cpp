// libFuzzer target for the reply check: arbitrary bytes for every protocol and
// converter must never crash it, and it must never accept what a plain second
// implementation of the rules rejects (or the other way round).

#include "frames.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::uint16_t crc16(const std::uint8_t *b, std::size_t n)
{
    unsigned crc = 0xFFFF;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= b[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1u) ? (crc >> 1) ^ 0xA001u : crc >> 1;
    }
    return std::uint16_t(crc);
}

// Accepts exactly what the controllers' rules accept, returning the value.
bool referenceAccepts(TPsl psl, TConverter converter, const std::uint8_t *b, std::size_t n,
                      std::int16_t &value)
{
    const bool echo = converter == TConverter::RS422_485;
    const std::size_t expected = echo ? 15 : (psl == TPsl::rtu ? 7 : 8);
    if (n != expected)
        return false;
    if (psl == TPsl::rtu) {
        const std::uint8_t *r = b + (echo ? 8 : 0);
        const std::uint16_t crc = crc16(r, 5);
        if (int(crc & 0xFF) + int(crc >> 8) != int(r[5]) + int(r[6]))
            return false;
        value = std::int16_t(std::uint16_t(r[3] << 8 | r[4]));
        return true;
    }
    const std::uint8_t *r = b + (echo ? 7 : 0);
    if (std::uint8_t(r[1] + r[2] + r[3] + r[4] + r[5] + r[6]) != r[7])
        return false;
    value = std::int16_t(std::uint16_t(r[5] << 8 | r[6]));
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    for (TPsl psl : {TPsl::rtu, TPsl::vorn}) {
        for (TConverter converter : {TConverter::RS485, TConverter::RS422_485}) {
            // Every prefix length, so the exact-length rule is exercised too.
            for (std::size_t n = size >= 16 ? size - 16 : 0; n <= size; ++n) {
                const ReplyCheck check = checkReply(psl, converter, data, n);
                std::int16_t value = 0;
                const bool reference = referenceAccepts(psl, converter, data, n, value);
                if (check.accepted() != reference)
                    std::abort();
                if (reference && check.value != value)
                    std::abort();
                if (check.accepted())
                    (void)valueText(check.value);
            }
        }
    }
    return 0;
}
