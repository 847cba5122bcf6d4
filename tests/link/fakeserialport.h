#pragma once

// A scripted serial line for the link tests. The test keeps the FakeLine, the link
// owns the FakeSerialPort; everything the link does to the port is recorded there.
// Nothing waits for real time: a read takes what is in the input at once, so a
// "timeout" costs nothing. Only an explicit hold makes a call block.

#include "serialport.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct FakeLine {
    // --- script ---
    bool openFails = false;
    bool configureFails = false;
    bool drainFails = false;
    bool echo = false; // hand every written byte back, as the 4-wire converter does
    // The controller: answers a written frame at once (after the echo); empty = silent.
    std::function<Bytes(const Bytes &written, int writeIndex)> responder;
    // Bytes that arrive just after read number k (0-based) gave up: too late for it.
    std::map<int, Bytes> lateAfterRead;
    // When set, calls of this name ("read" or "drain") wait until release() or interrupt.
    std::string holdAt;

    // --- record ---
    std::vector<std::string> events; // "open", "configure", "write", "read", ... in order
    std::vector<std::string> opened;
    std::vector<LineConfig> configs;
    std::vector<Bytes> written;
    struct ReadCall {
        int count;
        int deadlineMs;
        Bytes got;
    };
    std::vector<ReadCall> reads;
    struct PurgeCall {
        bool input;
        bool output;
    };
    std::vector<PurgeCall> purges;
    bool held = false; // a call is waiting at the hold
    Bytes input;

    std::mutex mutex;
    std::condition_variable changed;

    void release()
    {
        std::lock_guard<std::mutex> lock(mutex);
        holdAt.clear();
        changed.notify_all();
    }

    // Waits, at most `timeoutMs`, until `condition` holds; called with no lock held.
    bool waitFor(const std::function<bool(FakeLine &)> &condition, int timeoutMs)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return condition(*this); });
    }

    int count(const std::string &event)
    {
        std::lock_guard<std::mutex> lock(mutex);
        int n = 0;
        for (const std::string &e : events)
            n += e == event ? 1 : 0;
        return n;
    }
};

class FakeSerialPort : public SerialPort {
public:
    explicit FakeSerialPort(std::shared_ptr<FakeLine> line) : line_(std::move(line)) {}

    bool open(const std::string &deviceName) override
    {
        std::lock_guard<std::mutex> lock(line_->mutex);
        note("open");
        line_->opened.push_back(deviceName);
        return !line_->openFails && !interrupted_;
    }

    bool configure(const LineConfig &config) override
    {
        std::lock_guard<std::mutex> lock(line_->mutex);
        note("configure");
        line_->configs.push_back(config);
        return !line_->configureFails;
    }

    int write(const std::uint8_t *data, int count, int) override
    {
        std::lock_guard<std::mutex> lock(line_->mutex);
        note("write");
        const Bytes frame(data, data + count);
        line_->written.push_back(frame);
        if (line_->echo)
            line_->input.insert(line_->input.end(), frame.begin(), frame.end());
        if (line_->responder) {
            const Bytes reply = line_->responder(frame, int(line_->written.size()) - 1);
            line_->input.insert(line_->input.end(), reply.begin(), reply.end());
        }
        return count;
    }

    int read(std::uint8_t *data, int count, int deadlineMs) override
    {
        std::unique_lock<std::mutex> lock(line_->mutex);
        note("read");
        const int index = int(line_->reads.size());
        line_->reads.push_back({count, deadlineMs, {}});
        hold(lock, "read");
        if (interrupted_)
            return 0;
        const int n = std::min<int>(count, int(line_->input.size()));
        std::copy(line_->input.begin(), line_->input.begin() + n, data);
        line_->reads[index].got.assign(line_->input.begin(), line_->input.begin() + n);
        line_->input.erase(line_->input.begin(), line_->input.begin() + n);
        const auto late = line_->lateAfterRead.find(index);
        if (late != line_->lateAfterRead.end())
            line_->input.insert(line_->input.end(), late->second.begin(), late->second.end());
        return n;
    }

    bool drain(int) override
    {
        std::unique_lock<std::mutex> lock(line_->mutex);
        note("drain");
        hold(lock, "drain");
        return !line_->drainFails && !interrupted_;
    }

    void purge(bool input, bool output) override
    {
        std::lock_guard<std::mutex> lock(line_->mutex);
        note("purge");
        line_->purges.push_back({input, output});
        if (input)
            line_->input.clear();
    }

    void close() override
    {
        std::lock_guard<std::mutex> lock(line_->mutex);
        note("close");
    }

    void interrupt() override
    {
        std::lock_guard<std::mutex> lock(line_->mutex);
        interrupted_ = true;
        line_->changed.notify_all();
    }

private:
    void note(const char *event)
    {
        line_->events.push_back(event);
        line_->changed.notify_all();
    }

    void hold(std::unique_lock<std::mutex> &lock, const std::string &at)
    {
        if (line_->holdAt != at)
            return;
        line_->held = true;
        line_->changed.notify_all();
        line_->changed.wait(lock, [&] { return line_->holdAt != at || interrupted_; });
        line_->held = false;
        line_->changed.notify_all();
    }

    std::shared_ptr<FakeLine> line_;
    bool interrupted_ = false; // guarded by line_->mutex
};

inline SerialPortFactory fakePortFactory(std::shared_ptr<FakeLine> line)
{
    return [line] { return std::make_unique<FakeSerialPort>(line); };
}
