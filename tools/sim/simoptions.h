#pragma once

// The simulator's command line: which lines to create, how each one behaves on the
// wire, and where to publish their device paths.

#include <optional>
#include <string>
#include <vector>

enum class SimPsl { rtu, vorn, automatic };

struct LineOptions {
    SimPsl psl = SimPsl::rtu;
    bool echo = false;
    int baud = 38400;
    bool wire = true;        // pace bytes at 11 bits per character
    double latencyMs = 2.0;  // after the request's last byte
    std::vector<int> stations;
};

struct SimOptions {
    std::vector<LineOptions> lines;
    std::string linkDir;
    bool registerPorts = false;
    std::vector<int> portNumbers; // COM numbers, one per line from line 1 on
    std::string settingsFile;
    unsigned seed = 1;
    int tickMs = 100;
    bool help = false;
};

template <typename T>
struct Parsed {
    std::optional<T> value;
    std::string error;
    bool ok() const { return value.has_value(); }
};

// Defaults of line `number` (1-based) when the command line names no lines or a
// line description leaves a key out: 1 rtu without echo, 2 rtu with echo, 3 native with
// echo; stations 10n-9 .. 10n.
LineOptions defaultLine(int number);

// "1-10", "1-4+7+9": stations 1 to 255, no repeats, in the order given.
Parsed<std::vector<int>> parseStationList(const std::string &text);
// The shortest form of a list that parseStationList reads back: "1-4+7+9".
std::string formatStationList(const std::vector<int> &stations);

// "psl=vorn,echo=on,baud=9600,wire=off,latency=0.5,stations=21-30" over `base`.
Parsed<LineOptions> parseLineDescription(const std::string &description, const LineOptions &base);

Parsed<SimOptions> parseSimOptions(const std::vector<std::string> &args);

const char *pslName(SimPsl psl);
std::string usageText();
