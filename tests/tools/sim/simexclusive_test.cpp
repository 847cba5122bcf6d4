// The simulator forgets an exclusive mark that a client which died left on its line,
// but must never take away the mark of the client that holds the line now. It learns
// of openings and closings late (from inotify), so a close that it has not looked at
// yet may already be followed by the next program's exclusive open, as with Wine's
// server, which opens and closes the device for every Windows program's handle.

#include "ptyclient.h"
#include "simprocess.h"

#include "frames.h"

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Whether the line's tty carries the exclusive mark, asked through a descriptor of
// its own (root may open an exclusive tty; the simulator then sees one more client).
int exclusiveMark(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    int mark = -1;
    if (ioctl(fd, TIOCGEXCL, &mark) != 0)
        mark = -1;
    ::close(fd);
    return mark;
}

class Paused {
public:
    explicit Paused(qint64 pid) : pid_(pid) { ::kill(pid_t(pid_), SIGSTOP); }
    ~Paused() { resume(); }
    void resume()
    {
        if (pid_ > 0)
            ::kill(pid_t(pid_), SIGCONT);
        pid_ = 0;
    }

private:
    qint64 pid_;
};

TEST(SimExclusiveMark, HolderKeepsItsMarkWhenThePreviousCloseIsSeenAfterItsOpen)
{
    SimProcess sim({"--line", "psl=rtu,echo=off,wire=off,latency=0,stations=1", "--tick-ms", "60000"});
    ASSERT_TRUE(sim.start());
    const std::string path = sim.device(1).toStdString();
    if (exclusiveMark(path) < 0)
        GTEST_SKIP() << "this kernel cannot tell the exclusive mark (TIOCGEXCL)";

    PtyClient holder;
    {
        // The simulator stands still while one client comes and goes and the next one
        // opens the line exclusively: it sees all of that at once when it goes on.
        Paused paused(sim.pid());
        PtyClient earlier;
        ASSERT_TRUE(earlier.open(path));
        earlier.close();
        ASSERT_TRUE(holder.open(path));
    }
    // A reply means the simulator has looked at every opening and closing before it.
    holder.write(buildReadRequest(TPsl::rtu, 1, 0x8A));
    const auto reply = holder.read(7, 2000);
    ASSERT_TRUE(checkReply(TPsl::rtu, TConverter::RS485, reply.data(), reply.size()).accepted());
    EXPECT_EQ(exclusiveMark(path), 1) << "the holder's exclusive mark was cleared";

    holder.close();
    // A mark left behind by a client that died is still cleared.
    {
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ioctl(fd, TIOCEXCL), 0);
        ::close(fd);
    }
    PtyClient next;
    ASSERT_TRUE(next.open(path)) << "a mark left behind locks the next client out";
    next.write(buildReadRequest(TPsl::rtu, 1, 0x8A));
    EXPECT_EQ(next.read(7, 2000).size(), 7u);
}

} // namespace
