// Frames and reply checks against known byte vectors.

#include "frames.h"
#include "trs485comm.h"

#include <gtest/gtest.h>
#include <map>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes withCrc(Bytes b)
{
    std::vector<int> values(b.begin(), b.end());
    const int crc = CRC_checksum(values.data(), int(values.size()));
    b.push_back(std::uint8_t(crc >> 8));
    b.push_back(std::uint8_t(crc & 0xFF));
    return b;
}

Bytes withSum(Bytes b)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i < b.size(); ++i)
        sum += b[i];
    b.push_back(std::uint8_t(sum));
    return b;
}

Bytes rtuReply(std::uint16_t value) { return withCrc({1, 0x03, 0x02, std::uint8_t(value >> 8), std::uint8_t(value)}); }
Bytes vornReply(std::uint16_t value) { return withSum({'R', 1, 0x00, 0x8A, 0x00, std::uint8_t(value >> 8), std::uint8_t(value)}); }

Bytes concat(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Crc, KnownVectorsWithSwappedBytes)
{
    struct Case {
        std::vector<int> bytes;
        int expected;
    } cases[] = {
        {{0x01, 0x03, 0x00, 0x00, 0x00, 0x01}, 0x840A},
        {{0x01, 0x06, 0x00, 0x00, 0x01, 0x2C}, 0x8987},
        {{}, 0xFFFF},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CRC_checksum(c.bytes.data(), int(c.bytes.size())), c.expected);
        EXPECT_EQ(TRs485Comm::CRC_checksum(c.bytes.data(), int(c.bytes.size())), c.expected);
    }
}

TEST(Frames, BuiltFramesMatchKnownBytes)
{
    struct Case {
        const char *name;
        Bytes built;
        Bytes expected;
    } cases[] = {
        {"rtu write 300 to reg 0 of station 1", buildWriteFrame(TPsl::rtu, 'W', 0x00, 1, 300),
         {0x01, 0x06, 0x00, 0x00, 0x01, 0x2C, 0x89, 0x87}},
        {"vorn write 0x0102 to address 3 of station 5", buildWriteFrame(TPsl::vorn, 'W', 0x03, 5, 0x0102),
         {0x57, 0x05, 0x00, 0x03, 0x01, 0x02, 0x62}},
        {"rtu ignores the command byte", buildWriteFrame(TPsl::rtu, 'X', 0x00, 1, 300),
         {0x01, 0x06, 0x00, 0x00, 0x01, 0x2C, 0x89, 0x87}},
        {"rtu read of reg 0 of station 1", buildReadRequest(TPsl::rtu, 1, 0x00),
         {0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x84, 0x0A}},
        {"vorn read of 0x8A of station 5", buildReadRequest(TPsl::vorn, 5, 0x8A),
         {0x52, 0x05, 0x00, 0x8A, 0x00, 0x00, 0xE1}},
        {"reads are never mapped", buildReadRequest(TPsl::vorn, 1, 0x60),
         {0x52, 0x01, 0x00, 0x60, 0x00, 0x00, 0xB3}},
        {"writes are mapped", buildWriteFrame(TPsl::vorn, 'W', 0x60, 1, 0),
         {0x57, 0x01, 0x00, 0x62, 0x00, 0x00, 0xBA}},
        {"station carries its low 8 bits", buildReadRequest(TPsl::vorn, 0x105, 0x00),
         {0x52, 0x05, 0x00, 0x00, 0x00, 0x00, 0x57}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.built, c.expected) << c.name;
    EXPECT_EQ(buildWriteFrame(TPsl::rtu, 'W', 0x64, 1, 0)[3], 0x66);
}

TEST(Frames, WriteAddressMapping)
{
    struct Case {
        int given;
        int sent;
    } cases[] = {{0x00, 0x00}, {0x5F, 0x5F}, {0x60, 0x62}, {0x63, 0x65}, {0x64, 0x66},
                 {0x65, 0x67}, {0x66, 0x68}, {0x75, 0x77}, {0x76, 0x76}, {0xFF, 0xFF}};
    for (const Case &c : cases) {
        EXPECT_EQ(int(mapWriteAddress(TAddress(c.given))), c.sent) << std::hex << c.given;
        EXPECT_EQ(buildWriteFrame(TPsl::rtu, 'W', TAddress(c.given), 1, 0)[3], c.sent) << std::hex << c.given;
        EXPECT_EQ(buildWriteFrame(TPsl::vorn, 'W', TAddress(c.given), 1, 0)[3], c.sent) << std::hex << c.given;
        // Reads ask for the register they name.
        EXPECT_EQ(buildReadRequest(TPsl::rtu, 1, TAddress(c.given))[3], c.given) << std::hex << c.given;
        EXPECT_EQ(buildReadRequest(TPsl::vorn, 1, TAddress(c.given))[3], c.given) << std::hex << c.given;
    }
}

// The shifted block puts every address on a register of its own (SOFT at 0x65 must not
// land where PVOS at 0x63 does), and 0x67 is no longer the one register left out.
TEST(Frames, ShiftedWriteBlockReachesEachRegisterOnce)
{
    std::map<int, int> reachedBy;
    for (int given = 0x60; given <= 0x75; ++given) {
        const int sent = mapWriteAddress(TAddress(given));
        EXPECT_TRUE(reachedBy.emplace(sent, given).second)
            << std::hex << given << " and " << reachedBy[sent] << " both land on " << sent;
    }
    std::vector<int> unreached;
    for (int reg = 0x62; reg <= 0x77; ++reg)
        if (!reachedBy.count(reg))
            unreached.push_back(reg);
    EXPECT_EQ(unreached, std::vector<int>{});
}

TEST(Replies, LayoutPerProtocolAndConverter)
{
    struct Case {
        TPsl psl;
        TConverter converter;
        int bytesRead, offset, length;
    } cases[] = {
        {TPsl::rtu, TConverter::RS422_485, 15, 8, 7},
        {TPsl::rtu, TConverter::RS485, 7, 0, 7},
        {TPsl::vorn, TConverter::RS422_485, 15, 7, 8},
        {TPsl::vorn, TConverter::RS485, 8, 0, 8},
    };
    for (const Case &c : cases) {
        const ReplyLayout l = replyLayout(c.psl, c.converter);
        EXPECT_EQ(l.bytesRead, c.bytesRead);
        EXPECT_EQ(l.replyOffset, c.offset);
        EXPECT_EQ(l.replyLength, c.length);
    }
}

TEST(Replies, VerdictsAndValues)
{
    const Bytes rtu = rtuReply(0x0123);
    Bytes swapped = rtu;
    std::swap(swapped[5], swapped[6]);
    Bytes badCrc = rtu;
    badCrc[6] ^= 0x01;
    Bytes sameSumOtherCrc = rtu; // shifting one between the CRC bytes keeps the sum
    sameSumOtherCrc[5] = std::uint8_t(sameSumOtherCrc[5] + 1);
    sameSumOtherCrc[6] = std::uint8_t(sameSumOtherCrc[6] - 1);
    Bytes badData = rtu;
    badData[4] ^= 0x10;
    const Bytes vorn = vornReply(0x0123);
    Bytes vornHead = vorn;
    vornHead[0] = 0xEE;
    Bytes vornBad = vorn;
    vornBad[7] ^= 0x80;
    const Bytes rtuEcho = buildReadRequest(TPsl::rtu, 1, 0x8A);
    const Bytes garbage8(8, 0xA5);
    const Bytes garbage7(7, 0x5A);

    struct Case {
        const char *name;
        TPsl psl;
        TConverter converter;
        Bytes bytes;
        ReplyVerdict verdict;
        int value;
    } cases[] = {
        {"rtu", TPsl::rtu, TConverter::RS485, rtu, ReplyVerdict::Accepted, 0x0123},
        {"rtu swapped crc", TPsl::rtu, TConverter::RS485, swapped, ReplyVerdict::Accepted, 0x0123},
        {"rtu crc sum only", TPsl::rtu, TConverter::RS485, sameSumOtherCrc, ReplyVerdict::Accepted, 0x0123},
        {"rtu bad crc", TPsl::rtu, TConverter::RS485, badCrc, ReplyVerdict::BadChecksum, 0},
        {"rtu data changed", TPsl::rtu, TConverter::RS485, badData, ReplyVerdict::BadChecksum, 0},
        {"rtu 6 of 7", TPsl::rtu, TConverter::RS485, Bytes(rtu.begin(), rtu.end() - 1), ReplyVerdict::WrongLength, 0},
        {"rtu echo", TPsl::rtu, TConverter::RS422_485, concat(rtuEcho, rtu), ReplyVerdict::Accepted, 0x0123},
        {"rtu echo never compared", TPsl::rtu, TConverter::RS422_485, concat(garbage8, rtu), ReplyVerdict::Accepted, 0x0123},
        {"rtu 14 of 15", TPsl::rtu, TConverter::RS422_485, concat(rtuEcho, Bytes(rtu.begin(), rtu.end() - 1)), ReplyVerdict::WrongLength, 0},
        {"rtu 16 for 15", TPsl::rtu, TConverter::RS422_485, concat(concat(rtuEcho, rtu), {0}), ReplyVerdict::WrongLength, 0},
        {"rtu echo missing", TPsl::rtu, TConverter::RS422_485, rtu, ReplyVerdict::WrongLength, 0},
        {"vorn", TPsl::vorn, TConverter::RS485, vorn, ReplyVerdict::Accepted, 0x0123},
        {"vorn byte 0 ignored", TPsl::vorn, TConverter::RS485, vornHead, ReplyVerdict::Accepted, 0x0123},
        {"vorn bad sum", TPsl::vorn, TConverter::RS485, vornBad, ReplyVerdict::BadChecksum, 0},
        {"vorn echo anything", TPsl::vorn, TConverter::RS422_485, concat(garbage7, vornHead), ReplyVerdict::Accepted, 0x0123},
        {"vorn 14 of 15", TPsl::vorn, TConverter::RS422_485, concat(garbage7, Bytes(vorn.begin(), vorn.end() - 1)), ReplyVerdict::WrongLength, 0},
        {"empty", TPsl::vorn, TConverter::RS485, {}, ReplyVerdict::WrongLength, 0},
    };
    for (const Case &c : cases) {
        const ReplyCheck check = checkReply(c.psl, c.converter, c.bytes.data(), c.bytes.size());
        EXPECT_EQ(check.verdict, c.verdict) << c.name << ": " << verdictText(check.verdict);
        if (c.verdict == ReplyVerdict::Accepted) {
            EXPECT_EQ(check.value, c.value) << c.name;
        }
    }
}

TEST(Replies, RegisterContentsBecomeSignedText)
{
    struct Case {
        std::uint16_t raw;
        const char *text;
    } cases[] = {{0xFFF1, "-15"}, {0x7FFF, "32767"}, {0x8000, "-32768"}, {0x0000, "0"},
                 {0xFFFF, "-1"}, {0x0100, "256"}};
    for (const Case &c : cases) {
        for (TPsl psl : {TPsl::rtu, TPsl::vorn}) {
            const Bytes r = psl == TPsl::rtu ? rtuReply(c.raw) : vornReply(c.raw);
            const ReplyCheck check = checkReply(psl, TConverter::RS485, r.data(), r.size());
            ASSERT_TRUE(check.accepted()) << c.text;
            EXPECT_EQ(valueText(check.value), c.text);
        }
    }
}

} // namespace
