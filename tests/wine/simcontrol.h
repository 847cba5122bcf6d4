#pragma once

// The simulator seen from a Windows program under Wine. tempmon-sim is a Linux
// program: with-wine-sim starts it and names the channel to it in the environment
// (TEMPMON_SIM_COMMANDS, TEMPMON_SIM_ANSWERS). Line n of the simulator is COMn.

#include "textchannel.h"

#include "linktypes.h"

#include <memory>
#include <string>
#include <vector>

struct SimLineInfo {
    int number = 0;
    std::string psl; // "rtu", "vorn" or "auto"
    bool echo = false;
    std::vector<int> stations;

    bool serves(TPsl protocol) const;
};

// Parses "line 2 /dev/pts/7 auto echo=on baud=38400 stations=1-4+7"; false when the
// text is no line description.
bool parseSimLine(const std::string &text, SimLineInfo &info);

class SimControl {
public:
    // Null, with `error` set, when the channel is not there or the simulator never
    // said "ready".
    static std::unique_ptr<SimControl> fromEnvironment(std::string &error);

    // One command line; its answer ("ok ...", "error ..."), or empty on timeout.
    std::string command(const std::string &line, int timeoutMs = 5000) { return channel_.command(line, timeoutMs); }
    // The request count of the "stats" answer (all lines), -1 when it cannot be read.
    int requests();

    const std::vector<SimLineInfo> &lines() const { return lines_; }
    // The first line with that protocol and echo, or null.
    const SimLineInfo *lineFor(TPsl psl, bool echo) const;

private:
    SimControl() = default;

    TextChannel channel_;
    std::vector<SimLineInfo> lines_;
};

// A Linux program holding a line the way the Linux build does (exclusive lock and
// TIOCEXCL): the other program that a held-port case needs. Under Wine a Windows
// program's open without sharing does not exclude another one, so the holder is a
// Linux one. with-wine-sim names its channel (TEMPMON_HOLDER_COMMANDS, ..._ANSWERS).
class LineHolder {
public:
    static std::unique_ptr<LineHolder> fromEnvironment(std::string &error);
    ~LineHolder() { release(); }

    bool hold(int line, std::string &answer);
    void release();

private:
    LineHolder() = default;

    TextChannel channel_;
    bool holding_ = false;
};
