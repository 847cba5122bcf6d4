// A real port loses what arrives for it once it is closed: the simulator must not hand
// the echo and the answer of a write frame to the next transaction, even when it
// looks at the line only after the writer has gone and the next one has opened.

#include "ptyclient.h"
#include "simprocess.h"

#include "frames.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

class Paused {
public:
    explicit Paused(qint64 pid) : pid_(pid) { ::kill(pid_t(pid_), SIGSTOP); }
    ~Paused() { ::kill(pid_t(pid_), SIGCONT); }

private:
    qint64 pid_;
};

TEST(SimSessions, WriteFrameOfAClosedClientDoesNotReachTheNextOne)
{
    SimProcess sim({"--line", "psl=rtu,echo=on,wire=off,latency=0,stations=1", "--tick-ms", "60000"});
    ASSERT_TRUE(sim.start());
    const std::string path = sim.device(1).toStdString();
    const Frame request = buildReadRequest(TPsl::rtu, 1, 0x8A);

    PtyClient reader;
    {
        // The simulator stands still while a writer comes and goes and the reader
        // opens and asks; it sees all of that at once when it goes on.
        Paused paused(sim.pid());
        PtyClient writer;
        ASSERT_TRUE(writer.open(path));
        ASSERT_TRUE(writer.write(buildWriteFrame(TPsl::rtu, 'W', 0x01, 1, 300)));
        writer.close();
        ASSERT_TRUE(reader.open(path));
        ASSERT_TRUE(reader.write(request));
    }
    // Echo of its own request, then the answer: nothing of the writer in between.
    const auto bytes = reader.read(15, 2000);
    ASSERT_EQ(bytes.size(), 15u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 8), request);
    EXPECT_TRUE(checkReply(TPsl::rtu, TConverter::RS422_485, bytes.data(), bytes.size()).accepted());
    EXPECT_TRUE(reader.read(1, 200).empty()) << "nothing more arrives";
}

} // namespace
