#include "simcommand.h"

#include "integertext.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <vector>

namespace {

Parsed<SimCommand> fail(std::string message)
{
    Parsed<SimCommand> p;
    p.error = std::move(message);
    return p;
}

bool parseRanged(const std::string &text, long long lo, long long hi, int &out)
{
    const std::optional<long long> v = readIntegerInRange(text, lo, hi);
    if (!v)
        return false;
    out = int(*v);
    return true;
}

} // namespace

const char *faultName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::none:
        return "none";
    case FaultKind::silent:
        return "silent";
    case FaultKind::corrupt:
        return "corrupt";
    case FaultKind::garbage:
        return "garbage";
    case FaultKind::every:
        return "every";
    case FaultKind::late:
        return "late";
    }
    return "?";
}

Parsed<SimCommand> parseSimCommand(const std::string &text)
{
    std::vector<std::string> w;
    {
        std::istringstream in(text);
        std::string word;
        while (in >> word)
            w.push_back(word);
    }
    if (w.empty())
        return fail("empty command");

    SimCommand c;
    const std::string &verb = w[0];
    auto lineAndStation = [&](std::size_t count, const char *usage) -> std::string {
        if (w.size() != count)
            return std::string("usage: ") + usage;
        if (!parseRanged(w[1], 1, 99, c.line))
            return "bad line number '" + w[1] + "'";
        if (!parseRanged(w[2], 0, 255, c.station))
            return "bad station '" + w[2] + "'";
        return {};
    };

    if (verb == "quit" || verb == "stats" || verb == "reset") {
        if (w.size() != 1)
            return fail(verb + " takes no arguments");
        c.kind = verb == "quit" ? SimCommand::Kind::quit
               : verb == "stats" ? SimCommand::Kind::stats : SimCommand::Kind::reset;
    } else if (verb == "line") {
        if (w.size() != 3 || (w[2] != "down" && w[2] != "up"))
            return fail("usage: line L down|up");
        if (!parseRanged(w[1], 1, 99, c.line))
            return fail("bad line number '" + w[1] + "'");
        c.kind = w[2] == "down" ? SimCommand::Kind::lineDown : SimCommand::Kind::lineUp;
    } else if (verb == "fault") {
        const char *usage = "fault L S none|silent|corrupt|garbage | fault L S every K | fault L S late MS | fault L S corrupt K";
        if (w.size() < 4)
            return fail(std::string("usage: ") + usage);
        const bool takesNumber = w[3] == "every" || w[3] == "late" || (w[3] == "corrupt" && w.size() == 5);
        const std::size_t want = takesNumber ? 5 : 4;
        const std::string err = lineAndStation(want, usage);
        if (!err.empty())
            return fail(err);
        c.kind = SimCommand::Kind::fault;
        if (w[3] == "none")
            c.fault = FaultKind::none;
        else if (w[3] == "silent")
            c.fault = FaultKind::silent;
        else if (w[3] == "corrupt" && w.size() == 4)
            c.fault = FaultKind::corrupt;
        else if (w[3] == "corrupt") {
            int k = 0;
            if (!parseRanged(w[4], 1, 1000000, k))
                return fail("corrupt needs a whole number K >= 1, not '" + w[4] + "'");
            c.fault = FaultKind::corrupt;
            c.faultParam = k;
        }
        else if (w[3] == "garbage")
            c.fault = FaultKind::garbage;
        else if (w[3] == "every") {
            int k = 0;
            if (!parseRanged(w[4], 1, 1000000, k))
                return fail("every needs a whole number K >= 1, not '" + w[4] + "'");
            c.fault = FaultKind::every;
            c.faultParam = k;
        } else if (w[3] == "late") {
            errno = 0;
            char *end = nullptr;
            const double ms = std::strtod(w[4].c_str(), &end);
            if (errno != 0 || *end != '\0' || end == w[4].c_str() || !std::isfinite(ms) || ms < 0 || ms > 60000)
                return fail("late needs milliseconds from 0 to 60000, not '" + w[4] + "'");
            c.fault = FaultKind::late;
            c.faultParam = ms;
        } else {
            return fail("unknown fault '" + w[3] + "'");
        }
    } else if (verb == "set") {
        const std::string err = lineAndStation(5, "set L S REG VALUE");
        if (!err.empty())
            return fail(err);
        if (!parseRanged(w[3], 0, 255, c.reg))
            return fail("register must be 0 to 255 (0xFF), not '" + w[3] + "'");
        if (!parseRanged(w[4], -32768, 65535, c.value))
            return fail("value must be -32768 to 65535, not '" + w[4] + "'");
        c.kind = SimCommand::Kind::set;
    } else if (verb == "get") {
        const std::string err = lineAndStation(4, "get L S REG");
        if (!err.empty())
            return fail(err);
        if (!parseRanged(w[3], 0, 255, c.reg))
            return fail("register must be 0 to 255 (0xFF), not '" + w[3] + "'");
        c.kind = SimCommand::Kind::get;
    } else if (verb == "model") {
        if (w.size() != 5 && w.size() != 6)
            return fail("usage: model L S CODE INPUTTYPE [DP]");
        const std::string err = lineAndStation(w.size(), "model L S CODE INPUTTYPE [DP]");
        if (!err.empty())
            return fail(err);
        if (!parseRanged(w[3], -32768, 65535, c.modelCode))
            return fail("bad model code '" + w[3] + "'");
        if (!parseRanged(w[4], -32768, 65535, c.inputType))
            return fail("bad input type '" + w[4] + "'");
        if (w.size() == 6 && !parseRanged(w[5], 0, 3, c.dp))
            return fail("DP must be 0 to 3, not '" + w[5] + "'");
        c.kind = SimCommand::Kind::model;
    } else if (verb == "pv") {
        const std::string err = lineAndStation(4, "pv L S VALUE");
        if (!err.empty())
            return fail(err);
        if (!parseRanged(w[3], -32768, 32767, c.value))
            return fail("value must be -32768 to 32767, not '" + w[3] + "'");
        c.kind = SimCommand::Kind::pv;
    } else if (verb == "hold") {
        const std::string err = lineAndStation(4, "hold L S on|off");
        if (!err.empty())
            return fail(err);
        if (w[3] != "on" && w[3] != "off")
            return fail("usage: hold L S on|off");
        c.on = w[3] == "on";
        c.kind = SimCommand::Kind::hold;
    } else {
        return fail("unknown command '" + verb + "'");
    }

    Parsed<SimCommand> p;
    p.value = c;
    return p;
}
