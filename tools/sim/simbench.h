#pragma once

// The simulator as a whole: its lines, the published device paths and the stdin
// commands carried out against them.

#include "simcommand.h"
#include "simline.h"
#include "simoptions.h"

#include <memory>
#include <string>
#include <vector>

class SimBench {
public:
    explicit SimBench(SimOptions options);
    ~SimBench();

    // Opens every line; on failure `error` says which and why.
    bool start(std::string &error);
    void stop();

    // "line 1 /dev/pts/7 rtu echo=off baud=38400 stations=1-10", one per line.
    std::vector<std::string> startupLines() const;

    // One answer line, "ok ..." or "error ...".
    std::string execute(const SimCommand &command);
    std::string execute(const std::string &text);

private:
    SimLine *lineFor(int number, std::string &error);
    bool registerPorts(std::string &error);
    std::string statsText() const;

    SimOptions options_;
    std::vector<std::unique_ptr<SimLine>> lines_;
};
