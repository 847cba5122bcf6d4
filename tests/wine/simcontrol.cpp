#include "simcontrol.h"

#include <cstdlib>
#include <sstream>

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool parseStations(const std::string &text, std::vector<int> &stations)
{
    std::istringstream parts(text);
    std::string part;
    while (std::getline(parts, part, '+')) {
        const auto dash = part.find('-');
        const int from = std::atoi(part.substr(0, dash).c_str());
        const int to = dash == std::string::npos ? from : std::atoi(part.substr(dash + 1).c_str());
        if (from < 1 || to < from)
            return false;
        for (int s = from; s <= to; ++s)
            stations.push_back(s);
    }
    return !stations.empty();
}

} // namespace

bool SimLineInfo::serves(TPsl protocol) const
{
    return psl == "auto" || psl == (protocol == TPsl::rtu ? "rtu" : "vorn");
}

bool parseSimLine(const std::string &text, SimLineInfo &info)
{
    std::istringstream in(text);
    std::string word, device;
    if (!(in >> word) || word != "line" || !(in >> info.number >> device >> info.psl))
        return false;
    info.stations.clear();
    bool haveEcho = false;
    while (in >> word) {
        if (word == "echo=on" || word == "echo=off") {
            info.echo = word == "echo=on";
            haveEcho = true;
        } else if (word.rfind("stations=", 0) == 0 && !parseStations(word.substr(9), info.stations)) {
            return false;
        }
    }
    return haveEcho && info.number > 0 && !info.stations.empty();
}

std::unique_ptr<SimControl> SimControl::fromEnvironment(std::string &error)
{
    const std::string commands = environment("TEMPMON_SIM_COMMANDS");
    const std::string answers = environment("TEMPMON_SIM_ANSWERS");
    if (commands.empty() || answers.empty()) {
        error = "TEMPMON_SIM_COMMANDS and TEMPMON_SIM_ANSWERS are not set: run the suite "
                "through tests/wine/with-wine-sim";
        return nullptr;
    }
    std::unique_ptr<SimControl> sim(new SimControl);
    if (!sim->channel_.open(commands, answers, error))
        return nullptr;
    // Everything before "ready" describes the lines; what follows answered earlier
    // test programs and is passed over.
    std::string line;
    while (sim->channel_.nextLine(line, 2000)) {
        if (line == "ready") {
            sim->channel_.skipToEnd();
            return sim;
        }
        SimLineInfo info;
        if (parseSimLine(line, info))
            sim->lines_.push_back(info);
    }
    error = "the simulator never said ready in " + answers;
    return nullptr;
}

int SimControl::requests()
{
    const std::string stats = command("stats");
    const auto at = stats.find("requests=");
    return stats.rfind("ok ", 0) == 0 && at != std::string::npos ? std::atoi(stats.c_str() + at + 9) : -1;
}

const SimLineInfo *SimControl::lineFor(TPsl psl, bool echo) const
{
    for (const SimLineInfo &line : lines_)
        if (line.echo == echo && line.serves(psl))
            return &line;
    return nullptr;
}

std::unique_ptr<LineHolder> LineHolder::fromEnvironment(std::string &error)
{
    const std::string commands = environment("TEMPMON_HOLDER_COMMANDS");
    const std::string answers = environment("TEMPMON_HOLDER_ANSWERS");
    if (commands.empty() || answers.empty()) {
        error = "TEMPMON_HOLDER_COMMANDS and TEMPMON_HOLDER_ANSWERS are not set: run the suite "
                "through tests/wine/with-wine-sim";
        return nullptr;
    }
    std::unique_ptr<LineHolder> holder(new LineHolder);
    if (!holder->channel_.open(commands, answers, error))
        return nullptr;
    holder->channel_.skipToEnd();
    return holder;
}

bool LineHolder::hold(int line, std::string &answer)
{
    answer = channel_.command("hold " + std::to_string(line));
    holding_ = answer == "ok held";
    return holding_;
}

void LineHolder::release()
{
    if (holding_)
        channel_.command("release");
    holding_ = false;
}
