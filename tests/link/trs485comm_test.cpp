// TRs485Comm against a scripted port: what it writes, how it reads, when it gives up.

#include "fakeserialport.h"

#include "trs485comm.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace {

struct LineKind {
    const char *name;
    TPsl psl;
    TConverter converter;
};

const LineKind kKinds[] = {
    {"rtu/RS485", TPsl::rtu, TConverter::RS485},
    {"rtu/RS422_485", TPsl::rtu, TConverter::RS422_485},
    {"vorn/RS485", TPsl::vorn, TConverter::RS485},
    {"vorn/RS422_485", TPsl::vorn, TConverter::RS422_485},
};

// A valid reply carrying `value` for the protocol of `psl`.
Bytes replyFor(TPsl psl, std::uint16_t value)
{
    const auto hi = std::uint8_t(value >> 8), lo = std::uint8_t(value);
    if (psl == TPsl::rtu) {
        Bytes r{1, 0x03, 0x02, hi, lo};
        std::vector<int> v(r.begin(), r.end());
        const int crc = CRC_checksum(v.data(), int(v.size()));
        r.push_back(std::uint8_t(crc >> 8));
        r.push_back(std::uint8_t(crc));
        return r;
    }
    Bytes r{'R', 1, 0x00, 0x8A, 0x00, hi, lo};
    r.push_back(std::uint8_t(r[1] + r[2] + r[3] + r[4] + r[5] + r[6]));
    return r;
}

class CommFixture : public ::testing::Test {
protected:
    void SetUp() override { makeComm(); }

    void makeComm()
    {
        comm = std::make_unique<TRs485Comm>(fakePortFactory(line),
                                            [](int port) { return "COM" + std::to_string(port); });
    }

    void pointAt(const LineKind &kind, int readRetry = 3)
    {
        comm->Psl = kind.psl;
        comm->Converter = kind.converter;
        comm->ReadRetry = readRetry;
        line->echo = kind.converter == TConverter::RS422_485;
    }

    void answerWith(std::uint16_t value)
    {
        const TPsl psl = comm->Psl;
        line->responder = [psl, value](const Bytes &, int) { return replyFor(psl, value); };
    }

    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>();
    std::unique_ptr<TRs485Comm> comm;
};

TEST_F(CommFixture, SilentStationGetsReadRetryPlusOneRequestsWithoutPurgeBetween)
{
    for (const LineKind &kind : kKinds) {
        for (int retry : {5, 0}) {
            SCOPED_TRACE(std::string(kind.name) + " retry " + std::to_string(retry));
            line = std::make_shared<FakeLine>();
            makeComm();
            pointAt(kind, retry);
            EXPECT_FALSE(comm->Receive(7, 0x8A));

            const Bytes request = buildReadRequest(kind.psl, 7, 0x8A);
            const ReplyLayout layout = replyLayout(kind.psl, kind.converter);
            std::vector<std::string> expected{"open", "configure"};
            for (int i = 0; i <= retry; ++i) {
                expected.push_back("write");
                expected.push_back("read");
            }
            expected.push_back("purge");
            expected.push_back("close");
            EXPECT_EQ(line->events, expected);
            ASSERT_EQ(line->written.size(), std::size_t(retry + 1));
            for (const Bytes &w : line->written)
                EXPECT_EQ(w, request);
            for (const FakeLine::ReadCall &r : line->reads) {
                EXPECT_EQ(r.count, layout.bytesRead);
                EXPECT_EQ(r.deadlineMs, 12 * layout.bytesRead);
            }
            EXPECT_FALSE(comm->portReady());
        }
    }
}

TEST_F(CommFixture, AnsweringStationIsReadOnceInEveryLineKind)
{
    for (const LineKind &kind : kKinds) {
        SCOPED_TRACE(kind.name);
        line = std::make_shared<FakeLine>();
        makeComm();
        pointAt(kind);
        answerWith(0xFFF1);
        ASSERT_TRUE(comm->Receive(1, 0x8A));
        EXPECT_EQ(comm->ReceivedValue(), "-15");
        EXPECT_EQ(line->written.size(), 1u);
        EXPECT_EQ(comm->lastReadCount(), replyLayout(kind.psl, kind.converter).bytesRead);
        EXPECT_EQ(comm->lastWriteCount(), int(buildReadRequest(kind.psl, 1, 0x8A).size()));
    }
}

TEST_F(CommFixture, ShortOrCorruptRepliesAreRetried)
{
    pointAt(kKinds[1], 3); // rtu with echo: 15 bytes per attempt
    struct Case {
        const char *name;
        std::function<Bytes(const Bytes &)> spoil;
    } cases[] = {
        {"14 of 15", [](const Bytes &r) { return Bytes(r.begin(), r.end() - 1); }},
        {"bad crc", [](Bytes r) { r[6] ^= 0x40; return r; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        line = std::make_shared<FakeLine>();
        makeComm();
        pointAt(kKinds[1], 3);
        auto spoil = c.spoil;
        line->responder = [spoil](const Bytes &, int index) {
            const Bytes good = replyFor(TPsl::rtu, 321);
            return index < 2 ? spoil(good) : good;
        };
        ASSERT_TRUE(comm->Receive(1, 0x8A));
        EXPECT_EQ(comm->ReceivedValue(), "321");
        EXPECT_EQ(line->written.size(), 3u);
    }
}

// Nothing is purged between attempts: a reply too late for one attempt is what the
// next attempt reads first, even though a fresh reply follows it.
TEST_F(CommFixture, LateReplySpillsIntoTheNextAttempt)
{
    pointAt(kKinds[0], 3);
    line->responder = [](const Bytes &, int index) {
        return index == 0 ? Bytes{} : replyFor(TPsl::rtu, 222);
    };
    line->lateAfterRead[0] = replyFor(TPsl::rtu, 111);
    ASSERT_TRUE(comm->Receive(1, 0x8A));
    EXPECT_EQ(comm->ReceivedValue(), "111");
    ASSERT_EQ(line->reads.size(), 2u);
    EXPECT_TRUE(line->reads[0].got.empty());
    EXPECT_EQ(line->reads[1].got, replyFor(TPsl::rtu, 111));
}

TEST_F(CommFixture, PortThatCannotBeUsedFailsAtOnce)
{
    struct Case {
        const char *name;
        bool openFails;
        bool configureFails;
        std::vector<std::string> receiveEvents;
    } cases[] = {
        {"open refused", true, false, {"open"}},
        {"configuration refused", false, true, {"open", "configure", "close"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        line = std::make_shared<FakeLine>();
        makeComm();
        pointAt(kKinds[3], 5);
        answerWith(5);
        line->openFails = c.openFails;
        line->configureFails = c.configureFails;
        EXPECT_FALSE(comm->Receive(1, 0x8A));
        EXPECT_EQ(line->events, c.receiveEvents);
        EXPECT_EQ(comm->lastWriteCount(), 0);
        EXPECT_EQ(comm->lastReadCount(), 0);
        EXPECT_FALSE(comm->portReady());

        line->events.clear();
        comm->Send('W', 0x00, 1, 1);
        EXPECT_EQ(line->events, c.receiveEvents);
        EXPECT_TRUE(line->written.empty());
        EXPECT_EQ(comm->lastWriteCount(), 0);
    }
}

TEST_F(CommFixture, LineSettingsReachThePort)
{
    struct Case {
        int parityBits;
        int stopBits;
        Parity parity;
        int stopBitsSet;
    } cases[] = {
        {1, 1, Parity::Odd, 1}, {2, 1, Parity::Even, 1}, {0, 1, Parity::None, 1},
        {3, 0, Parity::None, 1}, {1, 2, Parity::Odd, 2}, {-1, 3, Parity::None, 1},
    };
    pointAt(kKinds[2]);
    answerWith(1);
    for (const Case &c : cases) {
        comm->ParityBits = c.parityBits;
        comm->StopBits = c.stopBits;
        ASSERT_TRUE(comm->Receive(1, 0x8A));
        const LineConfig &config = line->configs.back();
        EXPECT_EQ(config.parity, c.parity) << "ParityBits " << c.parityBits;
        EXPECT_EQ(config.stopBits, c.stopBitsSet) << "StopBits " << c.stopBits;
    }
    comm->ComPort = 10;
    comm->BaudRate = 9600;
    comm->DataBits = 7;
    ASSERT_TRUE(comm->Receive(1, 0x8A));
    EXPECT_EQ(line->opened.back(), "COM10");
    EXPECT_EQ(line->configs.back().baudRate, 9600);
    EXPECT_EQ(line->configs.back().dataBits, 7);
    // The object's defaults: COM1, 38400 baud, 8 data bits, odd parity, one stop bit.
    line = std::make_shared<FakeLine>();
    makeComm();
    comm->Receive(1, 0x8A);
    EXPECT_EQ(line->opened.back(), "COM1");
    EXPECT_EQ(line->configs.back().baudRate, 38400);
    EXPECT_EQ(line->configs.back().dataBits, 8);
    EXPECT_EQ(line->configs.back().parity, Parity::Odd);
    EXPECT_EQ(line->configs.back().stopBits, 1);
    EXPECT_EQ(line->written.size(), 4u); // ReadRetry 3
    EXPECT_EQ(line->written[0], buildReadRequest(TPsl::vorn, 1, 0x8A));
}

TEST_F(CommFixture, FailedReadKeepsThePreviousValue)
{
    pointAt(kKinds[1], 2);
    answerWith(0xFFF1);
    ASSERT_TRUE(comm->Receive(1, 0x8A));
    line->responder = nullptr;
    EXPECT_FALSE(comm->Receive(1, 0x8A));
    EXPECT_EQ(comm->ReceivedValue(), "-15");
    line->responder = [](const Bytes &, int) { return Bytes(7, 0x33); };
    EXPECT_FALSE(comm->Receive(1, 0x8A));
    EXPECT_EQ(comm->ReceivedValue(), "-15");
}

TEST_F(CommFixture, SendWritesTheMappedFrameOnceAndCloses)
{
    struct Case {
        TPsl psl;
        bool drainFails;
        bool purgeOutput;
    } cases[] = {
        {TPsl::rtu, false, false}, {TPsl::vorn, false, false}, {TPsl::rtu, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.psl == TPsl::rtu ? "rtu" : "vorn") + (c.drainFails ? " stuck" : ""));
        line = std::make_shared<FakeLine>();
        makeComm();
        comm->Psl = c.psl;
        comm->WriteRetry = 5; // consulted by nothing
        line->drainFails = c.drainFails;
        line->responder = [](const Bytes &, int) { return Bytes{1, 2, 3}; };
        comm->Send('W', 0x60, 3, 0xFF9C);
        const std::vector<std::string> expected{"open", "configure", "write", "drain", "purge", "close"};
        EXPECT_EQ(line->events, expected);
        ASSERT_EQ(line->written.size(), 1u);
        EXPECT_EQ(line->written[0], buildWriteFrame(c.psl, 'W', 0x60, 3, 0xFF9C));
        EXPECT_EQ(line->written[0][3], 0x62);
        ASSERT_EQ(line->purges.size(), 1u);
        EXPECT_TRUE(line->purges[0].input);
        EXPECT_EQ(line->purges[0].output, c.purgeOutput);
        EXPECT_TRUE(line->input.empty()) << "the controller's answer is discarded";
        EXPECT_EQ(comm->lastWriteCount(), int(line->written[0].size()));
        EXPECT_FALSE(comm->portReady());
    }
}

// One direction holds the port (the fake blocks it at `holdAt`); the other direction,
// started on a second thread, must not touch the port until the first has closed it.
TEST_F(CommFixture, SendAndReceiveWaitForEachOther)
{
    struct Case {
        const char *name;
        const char *holdAt;
        bool receiveFirst;
    } cases[] = {{"send waits for receive", "read", true}, {"receive waits for send", "drain", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        line = std::make_shared<FakeLine>();
        makeComm();
        pointAt(kKinds[0], 0);
        answerWith(42);
        line->holdAt = c.holdAt;
        std::function<bool()> receive = [this] { return comm->Receive(1, 0x8A); };
        std::function<bool()> send = [this] { comm->Send('W', 0x01, 1, 7); return true; };
        auto first = std::async(std::launch::async, c.receiveFirst ? receive : send);
        ASSERT_TRUE(line->waitFor([](FakeLine &l) { return l.held; }, 5000));
        auto second = std::async(std::launch::async, c.receiveFirst ? send : receive);
        // The second transaction must not open the port while the first holds it; a
        // broken lock shows up as a second "open" within this bound.
        EXPECT_FALSE(line->waitFor([](FakeLine &l) {
            return std::count(l.events.begin(), l.events.end(), "open") > 1;
        }, 150));
        line->release();
        ASSERT_EQ(first.wait_for(std::chrono::seconds(5)), std::future_status::ready);
        ASSERT_EQ(second.wait_for(std::chrono::seconds(5)), std::future_status::ready);
        EXPECT_TRUE(first.get());
        EXPECT_TRUE(second.get());
        const auto firstClose = std::find(line->events.begin(), line->events.end(), "close");
        const auto secondOpen = std::find(line->events.begin() + 1, line->events.end(), "open");
        EXPECT_LT(firstClose, secondOpen);
    }
}

TEST_F(CommFixture, AbortEndsABlockedReadAndEveryLaterTransaction)
{
    pointAt(kKinds[1], 5);
    line->holdAt = "read";
    auto receive = std::async(std::launch::async, [this] { return comm->Receive(1, 0x8A); });
    ASSERT_TRUE(line->waitFor([](FakeLine &l) { return l.held; }, 5000));
    comm->abort();
    ASSERT_EQ(receive.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(receive.get());
    EXPECT_EQ(line->count("write"), 1) << "no further attempt after abort";
    EXPECT_EQ(line->count("close"), 1);

    line->events.clear();
    EXPECT_FALSE(comm->Receive(1, 0x8A));
    comm->Send('W', 0x00, 1, 1);
    EXPECT_TRUE(line->events.empty());
}

} // namespace

namespace {

struct OutcomeCase {
    const char *name;
    bool echoLinesOnly;
    std::function<void(FakeLine &, TPsl)> script;
    ReadOutcome expected;
};

ReadOutcome counted(int attempts, int timeouts, int echo, int checksum, bool good)
{
    ReadOutcome o;
    o.attempts = attempts;
    o.timeouts = timeouts;
    o.echoErrors = echo;
    o.checksumErrors = checksum;
    o.good = good;
    return o;
}

} // namespace

TEST_F(CommFixture, EveryAttemptOfAReadIsCountedByHowItEnded)
{
    // Scripts for a read of three attempts (ReadRetry 2); `index` counts requests.
    const auto firstSpoiled = [](std::function<void(Bytes &)> spoil) {
        return [spoil](FakeLine &l, TPsl psl) {
            l.responder = [spoil, psl](const Bytes &, int index) {
                Bytes reply = replyFor(psl, 42);
                if (index == 0)
                    spoil(reply);
                return reply;
            };
        };
    };
    const OutcomeCase cases[] = {
        {"answers at once", false,
         [](FakeLine &l, TPsl psl) { l.responder = [psl](const Bytes &, int) { return replyFor(psl, 42); }; },
         counted(1, 0, 0, 0, true)},
        {"silent", false, [](FakeLine &, TPsl) {}, counted(3, 3, 0, 0, false)},
        {"bad check sum, then whole", false, firstSpoiled([](Bytes &r) { r.back() ^= 0x01; }),
         counted(2, 0, 0, 1, true)},
        {"one byte short, then whole", false, firstSpoiled([](Bytes &r) { r.pop_back(); }),
         counted(2, 1, 0, 0, true)},
        {"port cannot be opened", false, [](FakeLine &l, TPsl) { l.openFails = true; },
         counted(1, 1, 0, 0, false)},
        // A 2-wire converter on a line set up for the 4-wire one: the reply comes back
        // alone, where the echo was expected.
        {"echo never comes back", true,
         [](FakeLine &l, TPsl psl) {
             l.echo = false;
             l.responder = [psl](const Bytes &, int) { return replyFor(psl, 42); };
         },
         counted(3, 0, 3, 0, false)},
    };
    for (const OutcomeCase &c : cases) {
        for (const LineKind &kind : kKinds) {
            if (c.echoLinesOnly && kind.converter != TConverter::RS422_485)
                continue;
            SCOPED_TRACE(std::string(c.name) + " on " + kind.name);
            line = std::make_shared<FakeLine>();
            makeComm();
            pointAt(kind, 2);
            c.script(*line, kind.psl);
            EXPECT_EQ(comm->Receive(1, 0x8A), c.expected.good);
            const ReadOutcome &got = comm->lastReadOutcome();
            EXPECT_EQ(got.attempts, c.expected.attempts);
            EXPECT_EQ(got.timeouts, c.expected.timeouts);
            EXPECT_EQ(got.echoErrors, c.expected.echoErrors);
            EXPECT_EQ(got.checksumErrors, c.expected.checksumErrors);
            EXPECT_EQ(got.good, c.expected.good);
            EXPECT_GE(got.replyMs, 0.0);
        }
    }
}
