#include "simline.h"

#include "replybuilder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::int64_t monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

std::string errnoText(const char *what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

SimLine::SimLine(int number, LineOptions options, unsigned seed, int tickMs, std::string linkDir)
    : number_(number),
      options_(std::move(options)),
      tickMs_(tickMs),
      linkDir_(std::move(linkDir)),
      charNs_(options_.wire ? (11LL * 1000000000LL) / options_.baud : 0),
      decoder_(options_.psl, FrameDecoder::gapForBaud(options_.baud))
{
    for (int station : options_.stations)
        controllers_.emplace(station, SimController(station, seed + 7919u * unsigned(number)));
}

SimLine::~SimLine()
{
    stop();
}

std::string SimLine::linkPath() const
{
    return linkDir_.empty() ? std::string() : linkDir_ + "/line" + std::to_string(number_);
}

std::string SimLine::devicePath() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return path_;
}

std::string SimLine::publishedPath() const
{
    return linkDir_.empty() ? devicePath() : linkPath();
}

bool SimLine::hasStation(int station) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return controllers_.count(station) != 0;
}

void SimLine::withController(int station, const std::function<void(SimController &)> &f)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = controllers_.find(station);
    if (it != controllers_.end())
        f(it->second);
}

LineStats SimLine::stats() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return stats_;
}

void SimLine::resetStats()
{
    std::lock_guard<std::mutex> lock(mutex_);
    stats_ = LineStats{};
}

bool SimLine::start(std::string &error)
{
    if (thread_.joinable())
        return true;
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        error = errnoText("eventfd");
        return false;
    }
    if (!openPty(error))
        return false;
    nextTickNs_ = monotonicNs() + std::int64_t(tickMs_) * 1000000;
    thread_ = std::thread([this] { run(); });
    return true;
}

void SimLine::stop()
{
    if (thread_.joinable()) {
        std::string ignored;
        runOp(Op::stop, ignored);
        thread_.join();
    }
    closePty();
    closeFd(wakeFd_);
}

bool SimLine::down(std::string &error)
{
    return runOp(Op::down, error);
}

bool SimLine::up(std::string &error)
{
    return runOp(Op::up, error);
}

bool SimLine::runOp(Op op, std::string &error)
{
    std::unique_lock<std::mutex> lock(opMutex_);
    opDone_.wait(lock, [this] { return op_ == Op::none; });
    op_ = op;
    const std::uint64_t one = 1;
    if (::write(wakeFd_, &one, sizeof one) < 0) {
        op_ = Op::none;
        error = errnoText("eventfd write");
        return false;
    }
    opDone_.wait(lock, [this] { return op_ == Op::none; });
    error = opError_;
    return opOk_;
}

bool SimLine::openPty(std::string &error)
{
    if (masterFd_ >= 0)
        return true;
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B38400);
    cfsetospeed(&raw, B38400);
    char name[128] = {};
    if (openpty(&masterFd_, &slaveFd_, name, &raw, nullptr) != 0) {
        error = errnoText("openpty");
        masterFd_ = slaveFd_ = -1;
        return false;
    }
    fcntl(masterFd_, F_SETFL, fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
    fcntl(slaveFd_, F_SETFD, FD_CLOEXEC);
    // Let clients open the port whoever they run as.
    fchmod(slaveFd_, 0666);

    inotifyFd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotifyFd_ < 0 || inotify_add_watch(inotifyFd_, name, IN_OPEN | IN_CLOSE | IN_MODIFY) < 0) {
        error = errnoText("inotify");
        closePty();
        return false;
    }
    clients_ = 0;
    masterBroken_ = false;

    if (!linkDir_.empty()) {
        ::mkdir(linkDir_.c_str(), 0755);
        const std::string link = linkPath();
        const std::string tmp = linkDir_ + "/.line" + std::to_string(number_) + ".new" + std::to_string(getpid());
        ::unlink(tmp.c_str());
        if (::symlink(name, tmp.c_str()) != 0 || ::rename(tmp.c_str(), link.c_str()) != 0) {
            error = errnoText(("symlink " + link).c_str());
            ::unlink(tmp.c_str());
            closePty();
            return false;
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    path_ = name;
    return true;
}

void SimLine::closePty()
{
    if (!linkDir_.empty() && masterFd_ >= 0)
        ::unlink(linkPath().c_str());
    closeFd(inotifyFd_);
    closeFd(slaveFd_);
    closeFd(masterFd_);
    output_.clear();
    writers_.clear();
    decoder_ = FrameDecoder(options_.psl, FrameDecoder::gapForBaud(options_.baud));
    clients_ = 0;
    std::lock_guard<std::mutex> lock(mutex_);
    path_.clear();
}

void SimLine::handleInotify()
{
    alignas(inotify_event) char buf[4096];
    bool allClosed = false;
    for (;;) {
        const ssize_t n = ::read(inotifyFd_, buf, sizeof buf);
        if (n <= 0)
            break;
        for (char *p = buf; p < buf + n;) {
            const auto *ev = reinterpret_cast<const inotify_event *>(p);
            if (ev->mask & IN_Q_OVERFLOW) {
                clients_ = 1; // lost count: rather deliver than drop
            } else if (ev->mask & IN_MODIFY) {
                if (writers_.empty() || writers_.back() != session_)
                    writers_.push_back(session_);
            } else if (ev->mask & IN_OPEN) {
                ++clients_;
                ++session_;
            } else if (ev->mask & IN_CLOSE) {
                if (clients_ > 0 && --clients_ == 0) {
                    ++session_;
                    // The port was closed: what it had not read is gone.
                    tcflush(slaveFd_, TCIFLUSH);
                    allClosed = true;
                }
            }
            p += sizeof(inotify_event) + ev->len;
        }
    }
    // An exclusive mark left behind by a client that died must not lock the next one
    // out. The events come late, though: a program whose opening is among them holds
    // the port now, and its own mark stays.
    if (allClosed && clients_ == 0)
        ioctl(slaveFd_, TIOCNXCL);
}

void SimLine::schedule(const Frame &bytes, std::int64_t firstStartNs, std::int64_t charNs, bool replyChannel,
                       std::uint64_t session)
{
    std::int64_t t = firstStartNs;
    for (std::uint8_t b : bytes) {
        t += charNs;
        const OutByte out{t, session, b};
        auto pos = std::upper_bound(output_.begin(), output_.end(), out,
                                    [](const OutByte &a, const OutByte &c) { return a.dueNs < c.dueNs; });
        output_.insert(pos, out);
    }
    if (replyChannel)
        txFreeNs_ = t;
}

void SimLine::readRequests(std::int64_t nowNs)
{
    // Events are read before the bytes: a write's event is queued only after its
    // bytes, so every write seen here has its bytes in what is read below.
    handleInotify();
    Frame chunk;
    std::uint8_t buf[512];
    for (;;) {
        const ssize_t n = ::read(masterFd_, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n < 0 && errno == EIO)
                masterBroken_ = true;
            break;
        }
        chunk.insert(chunk.end(), buf, buf + n);
    }
    // Look again: bytes of a client that opened meanwhile may be in the chunk, and
    // its opening must be known before anything is sent for it.
    handleInotify();
    std::vector<std::uint64_t> writers;
    writers.swap(writers_);
    if (chunk.empty())
        return;
    if (writers.empty())
        writers.push_back(session_);

    // The bytes were written at once; on a wire they take a character time each.
    const std::int64_t start = std::max(nowNs, rxWireEndNs_);
    rxWireEndNs_ = start + std::int64_t(chunk.size()) * charNs_;
    const auto requests = decoder_.feed(chunk.data(), chunk.size(), nowNs / 1000);

    // When the line thread was slow, one chunk may hold the last frame of a client
    // that has closed the port and the first of the next one. The program writes
    // one frame per write, so the last frames go with the last writers.
    auto sessionOf = [&](std::size_t frameIndex) {
        const std::ptrdiff_t k = std::ptrdiff_t(writers.size()) - std::ptrdiff_t(requests.size())
                                 + std::ptrdiff_t(frameIndex);
        return writers[std::size_t(std::max<std::ptrdiff_t>(0, k))];
    };

    if (options_.echo) {
        // Echo is handed back at once: the program waits for its write to drain,
        // which on a wire is when the last echoed byte is back as well.
        std::size_t from = 0;
        for (std::size_t i = 0; i < requests.size(); ++i) {
            const std::size_t to = requests[i].lastByteIndex + 1;
            if (to > from)
                schedule(Frame(chunk.begin() + std::ptrdiff_t(from), chunk.begin() + std::ptrdiff_t(to)), nowNs, 0,
                         false, sessionOf(i));
            from = std::max(from, to);
        }
        if (from < chunk.size())
            schedule(Frame(chunk.begin() + std::ptrdiff_t(from), chunk.end()), nowNs, 0, false, writers.back());
    }
    if (requests.empty())
        return;

    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const SimRequest &req = requests[i];
        ++stats_.requests;
        const std::int64_t requestWire = std::int64_t(req.raw.size()) * charNs_;
        const std::int64_t requestEnd = start + std::int64_t(req.lastByteIndex + 1) * charNs_;
        auto it = controllers_.find(req.station);
        if (it == controllers_.end()) {
            stats_.boundNs += std::uint64_t(requestWire);
            continue;
        }
        const FaultDecision d = it->second.nextRequest();
        if (!d.answer) {
            stats_.boundNs += std::uint64_t(requestWire);
            continue;
        }
        Frame reply = buildReply(req, it->second);
        mangleReply(reply, req.psl, d.mangle, it->second);
        const auto delayNs = std::int64_t((options_.latencyMs + d.extraDelayMs) * 1e6);
        const std::int64_t replyStart = std::max(requestEnd + delayNs, txFreeNs_);
        schedule(reply, replyStart, charNs_, true, sessionOf(i));
        ++stats_.replies;
        stats_.boundNs += std::uint64_t(requestWire + delayNs + std::int64_t(reply.size()) * charNs_);
    }
}

void SimLine::writeDue(std::int64_t nowNs)
{
    wantWritable_ = false;
    if (output_.empty() || output_.front().dueNs > nowNs)
        return;
    handleInotify(); // a client may have come or gone since the last look
    // Nobody holds the port, or the client that asked has closed it: those bytes
    // go past a closed receiver.
    while (!output_.empty() && output_.front().dueNs <= nowNs
           && (clients_ == 0 || output_.front().session != session_))
        output_.pop_front();
    std::uint8_t buf[512];
    std::size_t n = 0;
    while (n < sizeof buf && n < output_.size() && output_[n].dueNs <= nowNs
           && output_[n].session == session_) {
        buf[n] = output_[n].byte;
        ++n;
    }
    if (n == 0)
        return;
    const ssize_t written = ::write(masterFd_, buf, n);
    if (written > 0) {
        output_.erase(output_.begin(), output_.begin() + written);
    } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        wantWritable_ = true; // the client is not reading; wait for room
    } else {
        output_.erase(output_.begin(), output_.begin() + std::ptrdiff_t(n));
    }
}

void SimLine::tickControllers(std::int64_t nowNs)
{
    const std::int64_t tickNs = std::int64_t(tickMs_) * 1000000;
    if (nowNs < nextTickNs_)
        return;
    std::int64_t due = (nowNs - nextTickNs_) / tickNs + 1;
    const double dt = tickMs_ / 1000.0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (std::int64_t i = 0; i < std::min<std::int64_t>(due, 10); ++i)
            for (auto &entry : controllers_)
                entry.second.tick(dt);
    }
    nextTickNs_ += due * tickNs;
}

void SimLine::run()
{
    // Wire pacing relies on waking close to each character's deadline.
    prctl(PR_SET_TIMERSLACK, 1000UL);
    for (;;) {
        const std::int64_t now = monotonicNs();
        std::int64_t wakeAt = nextTickNs_;
        if (!output_.empty() && !wantWritable_)
            wakeAt = std::min(wakeAt, output_.front().dueNs);
        const std::int64_t waitNs = std::max<std::int64_t>(0, wakeAt - now);
        timespec timeout{time_t(waitNs / 1000000000LL), long(waitNs % 1000000000LL)};

        pollfd fds[3];
        nfds_t count = 0;
        fds[count++] = {wakeFd_, POLLIN, 0};
        const bool open = masterFd_ >= 0;
        if (open) {
            fds[count++] = {inotifyFd_, POLLIN, 0};
            short events = POLLIN;
            if (wantWritable_)
                events |= POLLOUT;
            // A broken master reports hang-up for ever; leave it out of the poll.
            fds[count++] = {masterBroken_ ? -1 : masterFd_, events, 0};
        }
        const int ready = ppoll(fds, count, &timeout, nullptr);
        if (ready < 0 && errno != EINTR)
            break;

        if (fds[0].revents & POLLIN) {
            std::uint64_t value = 0;
            while (::read(wakeFd_, &value, sizeof value) > 0) {
            }
            std::unique_lock<std::mutex> lock(opMutex_);
            if (op_ != Op::none) {
                const Op op = op_;
                opOk_ = true;
                opError_.clear();
                lock.unlock();
                std::string error;
                bool ok = true;
                if (op == Op::down)
                    closePty();
                else if (op == Op::up)
                    ok = openPty(error);
                lock.lock();
                opOk_ = ok;
                opError_ = error;
                op_ = Op::none;
                opDone_.notify_all();
                if (op == Op::stop)
                    return;
                continue; // the descriptors may have changed
            }
        }
        const std::int64_t after = monotonicNs();
        if (open) {
            if (fds[1].revents & POLLIN)
                handleInotify();
            if (fds[2].revents & POLLIN)
                readRequests(after);
            if (fds[2].revents & POLLHUP) {
                // Only a hang-up forced on the slave gets here; stop reading so the
                // hang-up cannot spin this loop.
                masterBroken_ = true;
            }
        }
        if (masterFd_ >= 0)
            writeDue(monotonicNs());
        tickControllers(after);
    }
}
