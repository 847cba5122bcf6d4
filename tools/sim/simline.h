#pragma once

// One simulated RS-485 line: a pseudo-terminal whose slave side the program opens
// as its serial port, the controllers on it, and a thread that answers requests
// with the line's wire timing.
//
// The sim keeps its own slave descriptor open for the whole life of a pty, so the
// master never sees a hang-up (no EIO storm between the program's transactions)
// and the sim can discard what a closed port would have lost. It watches the
// slave node with inotify to know whether a client has the port open: bytes that
// fall due while nobody holds the port are dropped, and the receive queue is
// emptied when the last client closes, as a real port forgets what arrived while
// it was closed. Each reply belongs to the opening of the port that sent the
// request; once that client has closed the port its replies are not delivered to
// the next one: a pty drains at once, so the program's next transaction starts
// sooner than on a wire and would otherwise read a reply meant for the last one.
// Which opening wrote which bytes is told by the inotify write events, which come
// in the same order as the bytes.

#include "framedecoder.h"
#include "simcontroller.h"
#include "simoptions.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct LineStats {
    std::uint64_t requests = 0;
    std::uint64_t replies = 0;
    std::uint64_t boundNs = 0;
};

class SimLine {
public:
    SimLine(int number, LineOptions options, unsigned seed, int tickMs, std::string linkDir);
    ~SimLine();
    SimLine(const SimLine &) = delete;
    SimLine &operator=(const SimLine &) = delete;

    bool start(std::string &error);
    void stop();

    bool down(std::string &error);
    bool up(std::string &error);

    int number() const { return number_; }
    const LineOptions &options() const { return options_; }
    std::string devicePath() const;    // /dev/pts/N, empty while down
    std::string publishedPath() const; // the symlink when there is a link folder
    std::string linkPath() const;

    bool hasStation(int station) const;
    // Runs `f` on the controller under the line's lock.
    void withController(int station, const std::function<void(SimController &)> &f);

    LineStats stats() const;
    void resetStats();

private:
    enum class Op { none, down, up, stop };
    struct OutByte {
        std::int64_t dueNs;
        std::uint64_t session; // the opening of the port that asked
        std::uint8_t byte;
    };

    bool openPty(std::string &error);
    void closePty();
    void run();
    bool runOp(Op op, std::string &error);
    void handleInotify();
    void readRequests(std::int64_t nowNs);
    void schedule(const Frame &bytes, std::int64_t firstStartNs, std::int64_t charNs, bool replyChannel,
                  std::uint64_t session);
    void writeDue(std::int64_t nowNs);
    void tickControllers(std::int64_t nowNs);

    const int number_;
    const LineOptions options_;
    const int tickMs_;
    const std::string linkDir_;
    const std::int64_t charNs_;

    mutable std::mutex mutex_; // controllers, stats, path
    std::map<int, SimController> controllers_;
    LineStats stats_;
    std::string path_;

    // Hand-over of down/up/stop to the line thread, which alone touches the fds.
    std::mutex opMutex_;
    std::condition_variable opDone_;
    Op op_ = Op::none;
    bool opOk_ = false;
    std::string opError_;

    std::thread thread_;
    int wakeFd_ = -1;
    int masterFd_ = -1;
    int slaveFd_ = -1;
    int inotifyFd_ = -1;
    int clients_ = 0;
    std::uint64_t session_ = 0; // counts the openings of the port
    // Openings no frame has been read from yet, oldest first.
    std::deque<std::uint64_t> unheard_;
    bool masterBroken_ = false;

    FrameDecoder decoder_;
    std::deque<OutByte> output_;
    std::int64_t rxWireEndNs_ = 0;
    std::int64_t txFreeNs_ = 0;
    std::int64_t nextTickNs_ = 0;
    bool wantWritable_ = false;
};
