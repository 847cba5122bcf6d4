#include "simoptions.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>

namespace {

std::vector<std::string> split(const std::string &text, char sep)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    if (!text.empty() && text.back() == sep)
        parts.emplace_back();
    return parts;
}

bool parseInt(const std::string &text, long long &out)
{
    if (text.empty())
        return false;
    errno = 0;
    char *end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-'))
        return false;
    out = v;
    return true;
}

bool parseDouble(const std::string &text, double &out)
{
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return false;
    errno = 0;
    char *end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool parseOnOff(const std::string &text, bool &out)
{
    if (text == "on") {
        out = true;
        return true;
    }
    if (text == "off") {
        out = false;
        return true;
    }
    return false;
}

template <typename T>
Parsed<T> fail(std::string message)
{
    Parsed<T> p;
    p.error = std::move(message);
    return p;
}

} // namespace

const char *pslName(SimPsl psl)
{
    switch (psl) {
    case SimPsl::rtu:
        return "rtu";
    case SimPsl::vorn:
        return "vorn";
    case SimPsl::automatic:
        return "auto";
    }
    return "?";
}

LineOptions defaultLine(int number)
{
    LineOptions line;
    line.psl = number == 3 ? SimPsl::vorn : SimPsl::rtu;
    line.echo = number == 2 || number == 3;
    for (int s = 10 * number - 9; s <= 10 * number && s <= 255; ++s)
        line.stations.push_back(s);
    return line;
}

Parsed<std::vector<int>> parseStationList(const std::string &text)
{
    using R = std::vector<int>;
    if (text.empty())
        return fail<R>("empty station list");
    R stations;
    std::set<int> seen;
    for (const std::string &item : split(text, '+')) {
        const auto dash = item.find('-', 1);
        long long first = 0, last = 0;
        if (dash == std::string::npos) {
            if (!parseInt(item, first))
                return fail<R>("bad station '" + item + "'");
            last = first;
        } else if (!parseInt(item.substr(0, dash), first) || !parseInt(item.substr(dash + 1), last)) {
            return fail<R>("bad station range '" + item + "'");
        }
        if (first < 1 || last > 255 || first > last)
            return fail<R>("station range '" + item + "' outside 1-255 or reversed");
        for (long long s = first; s <= last; ++s) {
            if (!seen.insert(int(s)).second)
                return fail<R>("station " + std::to_string(s) + " listed twice");
            stations.push_back(int(s));
        }
    }
    Parsed<R> p;
    p.value = std::move(stations);
    return p;
}

std::string formatStationList(const std::vector<int> &stations)
{
    std::string out;
    std::size_t i = 0;
    while (i < stations.size()) {
        std::size_t j = i;
        while (j + 1 < stations.size() && stations[j + 1] == stations[j] + 1)
            ++j;
        if (!out.empty())
            out += '+';
        out += std::to_string(stations[i]);
        if (j > i)
            out += '-' + std::to_string(stations[j]);
        i = j + 1;
    }
    return out;
}

Parsed<LineOptions> parseLineDescription(const std::string &description, const LineOptions &base)
{
    using R = LineOptions;
    LineOptions line = base;
    if (!description.empty()) {
        for (const std::string &pair : split(description, ',')) {
            const auto eq = pair.find('=');
            if (eq == std::string::npos)
                return fail<R>("line setting '" + pair + "' is not key=value");
            const std::string key = pair.substr(0, eq);
            const std::string value = pair.substr(eq + 1);
            if (key == "psl") {
                if (value == "rtu")
                    line.psl = SimPsl::rtu;
                else if (value == "vorn")
                    line.psl = SimPsl::vorn;
                else if (value == "auto")
                    line.psl = SimPsl::automatic;
                else
                    return fail<R>("psl must be rtu, vorn or auto, not '" + value + "'");
            } else if (key == "echo") {
                if (!parseOnOff(value, line.echo))
                    return fail<R>("echo must be on or off, not '" + value + "'");
            } else if (key == "wire") {
                if (!parseOnOff(value, line.wire))
                    return fail<R>("wire must be on or off, not '" + value + "'");
            } else if (key == "baud") {
                long long baud = 0;
                if (!parseInt(value, baud) || baud < 50 || baud > 4000000)
                    return fail<R>("baud must be a whole number from 50 to 4000000, not '" + value + "'");
                line.baud = int(baud);
            } else if (key == "latency") {
                double ms = 0;
                if (!parseDouble(value, ms) || ms > 60000)
                    return fail<R>("latency must be 0 to 60000 ms, not '" + value + "'");
                line.latencyMs = ms;
            } else if (key == "stations") {
                auto stations = parseStationList(value);
                if (!stations.ok())
                    return fail<R>(stations.error);
                line.stations = *stations.value;
            } else {
                return fail<R>("unknown line setting '" + key + "'");
            }
        }
    }
    Parsed<R> p;
    p.value = std::move(line);
    return p;
}

Parsed<SimOptions> parseSimOptions(const std::vector<std::string> &args)
{
    using R = SimOptions;
    SimOptions options;
    std::vector<std::string> descriptions;
    bool portListGiven = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        std::string name = arg, inlineValue;
        bool hasInline = false;
        const auto eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
            hasInline = true;
        }
        auto takeValue = [&](std::string &out) -> bool {
            if (hasInline) {
                out = inlineValue;
                return true;
            }
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };

        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--line") {
            std::string description;
            if (!takeValue(description))
                return fail<R>("--line needs a value");
            descriptions.push_back(description);
        } else if (name == "--link-dir") {
            if (!takeValue(options.linkDir) || options.linkDir.empty())
                return fail<R>("--link-dir needs a folder");
        } else if (name == "--settings-file") {
            if (!takeValue(options.settingsFile) || options.settingsFile.empty())
                return fail<R>("--settings-file needs a path");
        } else if (name == "--register-ports") {
            options.registerPorts = true;
            if (hasInline) {
                portListGiven = true;
                for (const std::string &n : split(inlineValue, ',')) {
                    long long port = 0;
                    if (!parseInt(n, port) || port < 1 || port > 255)
                        return fail<R>("--register-ports numbers must be 1 to 255, not '" + n + "'");
                    options.portNumbers.push_back(int(port));
                }
            }
        } else if (name == "--seed") {
            std::string v;
            long long seed = 0;
            if (!takeValue(v) || !parseInt(v, seed) || seed < 0 || seed > 0xFFFFFFFFLL)
                return fail<R>("--seed needs a whole number from 0 to 4294967295");
            options.seed = unsigned(seed);
        } else if (name == "--tick-ms") {
            std::string v;
            long long tick = 0;
            if (!takeValue(v) || !parseInt(v, tick) || tick < 1 || tick > 60000)
                return fail<R>("--tick-ms needs a whole number from 1 to 60000");
            options.tickMs = int(tick);
        } else {
            return fail<R>("unknown argument '" + arg + "'");
        }
    }

    if (descriptions.empty()) {
        for (int n = 1; n <= 3; ++n)
            options.lines.push_back(defaultLine(n));
    } else {
        if (descriptions.size() > 9)
            return fail<R>("at most 9 lines");
        for (std::size_t n = 0; n < descriptions.size(); ++n) {
            auto line = parseLineDescription(descriptions[n], defaultLine(int(n) + 1));
            if (!line.ok())
                return fail<R>("line " + std::to_string(n + 1) + ": " + line.error);
            options.lines.push_back(*line.value);
        }
    }

    if (options.registerPorts) {
        if (!portListGiven) {
            for (std::size_t n = 0; n < options.lines.size(); ++n)
                options.portNumbers.push_back(int(n) + 1);
        }
        if (options.portNumbers.size() > options.lines.size())
            return fail<R>("--register-ports names more ports than there are lines");
        std::set<int> seen(options.portNumbers.begin(), options.portNumbers.end());
        if (seen.size() != options.portNumbers.size())
            return fail<R>("--register-ports names a port twice");
    }

    Parsed<R> p;
    p.value = std::move(options);
    return p;
}

std::string usageText()
{
    return "usage: tempmon-sim [--line LINE]... [--link-dir DIR] [--register-ports[=N1,N2,N3]]\n"
           "                   [--settings-file PATH] [--seed N] [--tick-ms MS]\n"
           "LINE: comma-separated key=value, any subset:\n"
           "  psl=rtu|vorn|auto  echo=on|off  baud=N  wire=on|off  latency=MS  stations=1-4+7+9\n"
           "Keys left out take the defaults of that line number: line 1 rtu echo=off,\n"
           "line 2 rtu echo=on, line 3 vorn echo=on; stations 10n-9..10n; baud 38400,\n"
           "wire=on, latency=2.\n"
           "Commands on stdin, one per line:\n"
           "  fault L S none|silent|corrupt|garbage | fault L S every K | fault L S late MS\n"
           "  fault L S corrupt K  (every K-th read gets one reply with a bad check sum;\n"
           "                        the repeated request after it is answered whole)\n"
           "  line L down|up   set L S REG VALUE   get L S REG   model L S CODE INPUTTYPE [DP]\n"
           "  pv L S VALUE   hold L S on|off   stats   reset   quit\n";
}
