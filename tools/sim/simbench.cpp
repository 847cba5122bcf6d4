#include "simbench.h"

#include "portmap.h"
#include "qsettingsstore.h"

#include <QString>

#include <sstream>

SimBench::SimBench(SimOptions options) : options_(std::move(options))
{
    for (std::size_t i = 0; i < options_.lines.size(); ++i)
        lines_.push_back(std::make_unique<SimLine>(int(i) + 1, options_.lines[i], options_.seed,
                                                   options_.tickMs, options_.linkDir));
}

SimBench::~SimBench()
{
    stop();
}

bool SimBench::start(std::string &error)
{
    for (auto &line : lines_) {
        if (!line->start(error)) {
            error = "line " + std::to_string(line->number()) + ": " + error;
            return false;
        }
    }
    return registerPorts(error);
}

void SimBench::stop()
{
    for (auto &line : lines_)
        line->stop();
}

bool SimBench::registerPorts(std::string &error)
{
    if (!options_.registerPorts)
        return true;
    std::unique_ptr<QSettingsStore> store;
    if (options_.settingsFile.empty())
        store = std::make_unique<QSettingsStore>();
    else
        store = std::make_unique<QSettingsStore>(QString::fromStdString(options_.settingsFile));
    for (std::size_t i = 0; i < options_.portNumbers.size() && i < lines_.size(); ++i) {
        if (!writePortMapEntry(*store, options_.portNumbers[i], QString::fromStdString(lines_[i]->publishedPath()))) {
            error = "cannot write the port map to " + store->settings().fileName().toStdString();
            return false;
        }
    }
    return true;
}

std::vector<std::string> SimBench::startupLines() const
{
    std::vector<std::string> out;
    for (const auto &line : lines_) {
        const LineOptions &o = line->options();
        std::ostringstream s;
        s << "line " << line->number() << ' ' << line->devicePath() << ' ' << pslName(o.psl)
          << " echo=" << (o.echo ? "on" : "off") << " baud=" << o.baud
          << " stations=" << formatStationList(o.stations);
        out.push_back(s.str());
    }
    return out;
}

SimLine *SimBench::lineFor(int number, std::string &error)
{
    if (number < 1 || number > int(lines_.size())) {
        error = "error no line " + std::to_string(number);
        return nullptr;
    }
    return lines_[std::size_t(number - 1)].get();
}

std::string SimBench::statsText() const
{
    LineStats total;
    std::ostringstream perLine;
    for (const auto &line : lines_) {
        const LineStats s = line->stats();
        total.requests += s.requests;
        total.replies += s.replies;
        total.boundNs += s.boundNs;
        perLine << " L" << line->number() << ":requests=" << s.requests << ",replies=" << s.replies
                << ",bound_us=" << s.boundNs / 1000;
    }
    std::ostringstream out;
    out << "ok requests=" << total.requests << " replies=" << total.replies
        << " bound_us=" << total.boundNs / 1000 << perLine.str();
    return out.str();
}

std::string SimBench::execute(const std::string &text)
{
    const auto parsed = parseSimCommand(text);
    if (!parsed.ok())
        return "error " + parsed.error;
    return execute(*parsed.value);
}

std::string SimBench::execute(const SimCommand &c)
{
    using K = SimCommand::Kind;
    switch (c.kind) {
    case K::quit:
        return "ok bye";
    case K::stats:
        return statsText();
    case K::reset:
        for (auto &line : lines_)
            line->resetStats();
        return "ok";
    default:
        break;
    }

    std::string error;
    SimLine *line = lineFor(c.line, error);
    if (!line)
        return error;

    if (c.kind == K::lineDown) {
        if (!line->down(error))
            return "error " + error;
        return "ok line " + std::to_string(c.line) + " down";
    }
    if (c.kind == K::lineUp) {
        if (!line->up(error))
            return "error " + error;
        if (options_.registerPorts && options_.linkDir.empty() && !registerPorts(error))
            return "error " + error;
        return "ok line " + std::to_string(c.line) + ' ' + line->devicePath();
    }

    if (!line->hasStation(c.station))
        return "error no station " + std::to_string(c.station) + " on line " + std::to_string(c.line);

    std::string reply = "ok";
    line->withController(c.station, [&](SimController &ctl) {
        switch (c.kind) {
        case K::fault:
            ctl.setFault(c.fault, c.faultParam);
            break;
        case K::set:
            ctl.setReg(c.reg, std::uint16_t(c.value));
            break;
        case K::get:
            reply = "ok " + std::to_string(static_cast<std::int16_t>(ctl.reg(c.reg)));
            break;
        case K::model:
            ctl.setModel(c.modelCode, c.inputType, c.dp);
            reply = "ok dp=" + std::to_string(ctl.dp());
            break;
        case K::pv:
            ctl.forcePv(std::int16_t(c.value));
            break;
        case K::hold:
            ctl.setHold(c.on);
            break;
        default:
            reply = "error unsupported command";
            break;
        }
    });
    return reply;
}
