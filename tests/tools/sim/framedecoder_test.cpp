#include "framedecoder.h"

#include <gtest/gtest.h>

namespace {

Frame cat(std::initializer_list<Frame> parts)
{
    Frame out;
    for (const Frame &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct Expected {
    TPsl psl;
    int station;
    int function;
    int address;
    int value;
    std::size_t lastByteIndex;
};

struct DecodeCase {
    const char *name;
    SimPsl mode;
    Frame bytes;
    std::vector<Expected> frames;
    std::size_t pendingAfter;
};

void PrintTo(const DecodeCase &c, std::ostream *os)
{
    *os << c.name;
}

class FrameDecoderCases : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(FrameDecoderCases, CutsTheStreamIntoRequests)
{
    const DecodeCase &c = GetParam();
    FrameDecoder decoder(c.mode, FrameDecoder::gapForBaud(38400));
    const auto got = decoder.feed(c.bytes.data(), c.bytes.size(), 1000);
    ASSERT_EQ(got.size(), c.frames.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].psl, c.frames[i].psl);
        EXPECT_EQ(got[i].station, c.frames[i].station);
        EXPECT_EQ(got[i].function, c.frames[i].function);
        EXPECT_EQ(got[i].address, c.frames[i].address);
        EXPECT_EQ(got[i].value, c.frames[i].value);
        EXPECT_EQ(got[i].lastByteIndex, c.frames[i].lastByteIndex);
    }
    EXPECT_EQ(decoder.pending(), c.pendingAfter);
}

const Frame rtuReadPv = buildReadRequest(TPsl::rtu, 1, 0x8A);
const Frame nativeReadSv = buildReadRequest(TPsl::vorn, 5, 0x00);
Frame badCrc()
{
    Frame f = buildReadRequest(TPsl::rtu, 2, 0x88);
    f[7] ^= 0x40;
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, FrameDecoderCases,
    ::testing::Values(
        DecodeCase{"rtuRead", SimPsl::rtu, rtuReadPv, {{TPsl::rtu, 1, 3, 0x8A, 1, 7}}, 0},
        DecodeCase{"nativeRead", SimPsl::vorn, nativeReadSv, {{TPsl::vorn, 5, 'R', 0x00, 0, 6}}, 0},
        // The sender maps the address; the decoder reports what the frame names.
        DecodeCase{"rtuWriteMappedBySender", SimPsl::rtu, buildWriteFrame(TPsl::rtu, 'W', 0x60, 3, 300),
                   {{TPsl::rtu, 3, 6, 0x62, 300, 7}}, 0},
        DecodeCase{"nativeWrite", SimPsl::vorn, buildWriteFrame(TPsl::vorn, 'W', 0x75, 9, 0x0102),
                   {{TPsl::vorn, 9, 'W', 0x77, 0x0102, 6}}, 0},
        DecodeCase{"autoTakesBoth", SimPsl::automatic, cat({nativeReadSv, rtuReadPv}),
                   {{TPsl::vorn, 5, 'R', 0, 0, 6}, {TPsl::rtu, 1, 3, 0x8A, 1, 14}}, 0},
        // Station 0x52 is the letter R: its Modbus frame is no valid native frame.
        DecodeCase{"autoRtuStationR", SimPsl::automatic, buildReadRequest(TPsl::rtu, 'R', 0x8A),
                   {{TPsl::rtu, 'R', 3, 0x8A, 1, 7}}, 0},
        DecodeCase{"garbageBeforeFrame", SimPsl::rtu, cat({Frame{0xFF, 0x00, 0x13}, rtuReadPv}),
                   {{TPsl::rtu, 1, 3, 0x8A, 1, 10}}, 0},
        DecodeCase{"badCrcThenGood", SimPsl::rtu, cat({badCrc(), rtuReadPv}),
                   {{TPsl::rtu, 1, 3, 0x8A, 1, 15}}, 0},
        // The last byte could still be the station of a Modbus frame.
        DecodeCase{"nativeOnRtuLine", SimPsl::rtu, nativeReadSv, {}, 1},
        DecodeCase{"rtuOnNativeLine", SimPsl::vorn, rtuReadPv, {}, 0},
        DecodeCase{"partialFrameWaits", SimPsl::rtu, Frame(rtuReadPv.begin(), rtuReadPv.begin() + 5), {}, 5},
        DecodeCase{"backToBack", SimPsl::vorn, cat({nativeReadSv, nativeReadSv}),
                   {{TPsl::vorn, 5, 'R', 0, 0, 6}, {TPsl::vorn, 5, 'R', 0, 0, 13}}, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FrameDecoder, AFrameSplitByASilentGapIsNoFrame)
{
    const std::int64_t gap = FrameDecoder::gapForBaud(38400);
    struct Case {
        std::int64_t secondPartAtUs;
        std::size_t frames;
    } cases[] = {{gap - 1, 1}, {gap + 1, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.secondPartAtUs);
        FrameDecoder decoder(SimPsl::rtu, gap);
        EXPECT_TRUE(decoder.feed(rtuReadPv.data(), 3, 0).empty());
        const auto got = decoder.feed(rtuReadPv.data() + 3, 5, c.secondPartAtUs);
        EXPECT_EQ(got.size(), c.frames);
    }
    // After the stale part is gone, the next whole frame is found at once.
    FrameDecoder decoder(SimPsl::rtu, gap);
    decoder.feed(rtuReadPv.data(), 3, 0);
    EXPECT_EQ(decoder.feed(rtuReadPv.data(), rtuReadPv.size(), gap + 1).size(), 1u);
}

TEST(FrameDecoder, GapIsThreeAndAHalfCharactersButNotBelowModbusFloor)
{
    EXPECT_EQ(FrameDecoder::gapForBaud(38400), 1750);
    EXPECT_EQ(FrameDecoder::gapForBaud(9600), 4011); // 1146 us per character
    EXPECT_EQ(FrameDecoder::gapForBaud(2400), 16044);
}

} // namespace
