#include "replybuilder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Combo {
    TPsl psl;
    TConverter converter;
    const char *name;
};

const Combo kCombos[] = {
    {TPsl::rtu, TConverter::RS485, "rtu/no echo"},
    {TPsl::rtu, TConverter::RS422_485, "rtu/echo"},
    {TPsl::vorn, TConverter::RS485, "vorn/no echo"},
    {TPsl::vorn, TConverter::RS422_485, "vorn/echo"},
};

SimRequest decode(const Frame &bytes)
{
    FrameDecoder decoder(SimPsl::automatic, 1750);
    auto got = decoder.feed(bytes.data(), bytes.size(), 0);
    EXPECT_EQ(got.size(), 1u);
    return got.empty() ? SimRequest{} : got.front();
}

// The bytes one read attempt of the program would receive from this line.
Frame onTheLine(const Combo &combo, const Frame &request, const Frame &reply)
{
    Frame seen;
    if (combo.converter == TConverter::RS422_485)
        seen = request;
    seen.insert(seen.end(), reply.begin(), reply.end());
    return seen;
}

TEST(ReplyBuilder, ReadRepliesAreAcceptedByTheProgramsOwnCheck)
{
    const std::uint16_t values[] = {0x0000, 0x07D0, 0xFFF1, 0x7FFF, 0x8000, 0x00FF, 0xFF00};
    for (const Combo &combo : kCombos) {
        for (std::uint16_t value : values) {
            SCOPED_TRACE(std::string(combo.name) + " value " + std::to_string(value));
            SimController controller(7, 1);
            controller.setReg(0x8A, value);
            const Frame request = buildReadRequest(combo.psl, 7, 0x8A);
            const Frame reply = buildReply(decode(request), controller);
            const Frame seen = onTheLine(combo, request, reply);
            const ReplyCheck check = checkReply(combo.psl, combo.converter, seen.data(), seen.size());
            ASSERT_TRUE(check.accepted()) << verdictText(check.verdict);
            EXPECT_EQ(static_cast<std::uint16_t>(check.value), value);
        }
    }
}

TEST(ReplyBuilder, ReplyLayoutPerProtocol)
{
    SimController controller(5, 1);
    controller.setReg(0x03, 0x1234);
    const Frame rtu = buildReply(decode(buildReadRequest(TPsl::rtu, 5, 0x03)), controller);
    EXPECT_EQ(rtu, (Frame{0x05, 0x03, 0x02, 0x12, 0x34, rtu[5], rtu[6]}));
    const Frame native = buildReply(decode(buildReadRequest(TPsl::vorn, 5, 0x03)), controller);
    const std::uint8_t sum = std::uint8_t(0x05 + 0x00 + 0x03 + 0x02 + 0x12 + 0x34);
    EXPECT_EQ(native, (Frame{'R', 0x05, 0x00, 0x03, 0x02, 0x12, 0x34, sum}));
}

TEST(ReplyBuilder, WritesLandOnTheRegisterTheFrameNames)
{
    // The link sends parameter 0x60 to register 0x62; the controller must not undo it.
    for (TPsl psl : {TPsl::rtu, TPsl::vorn}) {
        SCOPED_TRACE(int(psl));
        SimController controller(3, 1);
        const std::uint16_t before = controller.reg(0x60);
        const Frame frame = buildWriteFrame(psl, 'W', 0x60, 3, 1234);
        const Frame reply = buildReply(decode(frame), controller);
        EXPECT_EQ(controller.reg(0x62), 1234);
        EXPECT_EQ(controller.reg(0x60), before);
        if (psl == TPsl::rtu)
            EXPECT_EQ(reply, frame); // Modbus acknowledges a write by echoing it
        else
            EXPECT_EQ(reply[6], 1234 & 0xFF);
    }
    SimController controller(1, 1);
    buildReply(decode(buildWriteFrame(TPsl::rtu, 'W', 0x00, 1, 0xFF38)), controller); // -200
    EXPECT_EQ(static_cast<std::int16_t>(controller.reg(0x00)), -200);
}

TEST(ReplyBuilder, ModbusReadOutsideTheRegistersGetsAnException)
{
    SimController controller(1, 1);
    Frame req{0x01, 0x03, 0x01, 0x00, 0x00, 0x01}; // register 0x100
    std::vector<int> v(req.begin(), req.end());
    const int crc = CRC_checksum(v.data(), 6);
    req.push_back(std::uint8_t(crc >> 8));
    req.push_back(std::uint8_t(crc & 0xFF));
    const Frame reply = buildReply(decode(req), controller);
    ASSERT_EQ(reply.size(), 5u);
    EXPECT_EQ(reply[1], 0x83);
    EXPECT_EQ(reply[2], 0x02);
}

TEST(ReplyBuilder, SpoiledRepliesAreAlwaysRejected)
{
    for (const Combo &combo : kCombos) {
        for (FaultKind mangle : {FaultKind::corrupt, FaultKind::garbage}) {
            SimController controller(2, 99);
            std::set<Frame> distinct;
            for (int value = 0; value < 600; ++value) {
                controller.setReg(0x00, std::uint16_t(value * 109));
                const Frame request = buildReadRequest(combo.psl, 2, 0x00);
                Frame reply = buildReply(decode(request), controller);
                const std::size_t length = reply.size();
                mangleReply(reply, combo.psl, mangle, controller);
                distinct.insert(reply);
                ASSERT_EQ(reply.size(), length);
                const Frame seen = onTheLine(combo, request, reply);
                ASSERT_FALSE(checkReply(combo.psl, combo.converter, seen.data(), seen.size()).accepted())
                    << combo.name << ' ' << faultName(mangle) << " value " << value;
            }
            EXPECT_GT(distinct.size(), 500u) << "spoiled replies should still vary";
        }
    }
}

} // namespace
