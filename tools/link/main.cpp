// tempmon-link: reads or writes one controller register through the same link the
// program uses, for checking a line by hand.

#include "linkoptions.h"
#include "linkstats.h"
#include "watchedport.h"

#include "portmap.h"
#include "qsettingsstore.h"
#include "systemserialport.h"
#include "trs485comm.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string hexAddress(int address)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", address);
    return text;
}

// Non-zero exit code when the port could not be used, with the reason on stderr.
int reportPortTrouble(const PortOutcome &outcome, const std::string &device, int baud)
{
    if (!outcome.opened) {
        std::fprintf(stderr, "tempmon-link: port %s cannot be opened: %s\n", device.c_str(),
                     outcome.openError.c_str());
        return 1;
    }
    if (!outcome.configured) {
        std::fprintf(stderr, "tempmon-link: port %s cannot be configured for %d baud\n",
                     device.c_str(), baud);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const LinkParse parsed = parseLinkOptions(args);
    if (!parsed.ok) {
        std::fprintf(stderr, "tempmon-link: %s\n%s", parsed.error.c_str(), linkUsage().c_str());
        return 2;
    }
    const LinkOptions &o = parsed.options;
    if (o.action == LinkAction::Help) {
        std::fputs(linkUsage().c_str(), stdout);
        return 0;
    }

    std::string device = o.device;
    if (device.empty()) {
        QSettingsStore store;
        device = deviceNameForPort(o.port, readPortMap(store));
    }
    if (device.empty()) {
        std::fprintf(stderr, "tempmon-link: port %d has no device\n", o.port);
        return 1;
    }

    auto outcome = std::make_shared<PortOutcome>();
    const SerialPortFactory system = systemSerialPortFactory();
    TRs485Comm comm([&] { return std::make_unique<WatchedPort>(system(), outcome); },
                    [device](int) { return device; });
    comm.BaudRate = static_cast<unsigned short>(o.baud);
    comm.Psl = o.psl;
    comm.Converter = o.converter;
    comm.ReadRetry = o.retry;

    const std::string where = "station " + std::to_string(o.station) + " register "
                              + hexAddress(o.address);
    if (o.action == LinkAction::Read) {
        if (comm.Receive(o.station, static_cast<TAddress>(o.address))) {
            std::printf("%s\n", comm.ReceivedValue().c_str());
            return 0;
        }
        if (const int code = reportPortTrouble(*outcome, device, o.baud))
            return code;
        std::fprintf(stderr, "tempmon-link: no valid reply from %s after %s\n", where.c_str(),
                     attemptsText(o.retry + 1).c_str());
        return 1;
    }

    if (o.action == LinkAction::Stats) {
        LinkStats stats;
        for (int i = 0; i < o.count; ++i) {
            const bool good = comm.Receive(o.station, static_cast<TAddress>(o.address));
            // A port that cannot be used would fail every read alike: say why at once.
            if (!good && i == 0)
                if (const int code = reportPortTrouble(*outcome, device, o.baud))
                    return code;
            stats.add(comm.lastReadOutcome());
        }
        std::fputs(stats.report().c_str(), stdout);
        return stats.good() > 0 ? 0 : 1;
    }

    comm.Send('W', static_cast<TAddress>(o.address), o.station, o.value);
    if (const int code = reportPortTrouble(*outcome, device, o.baud))
        return code;
    const std::size_t frameSize =
        buildWriteFrame(o.psl, 'W', static_cast<TAddress>(o.address), o.station, o.value).size();
    if (comm.lastWriteCount() != int(frameSize)) {
        std::fprintf(stderr, "tempmon-link: only %d of %zu bytes of the write frame left %s\n",
                     comm.lastWriteCount(), frameSize, device.c_str());
        return 1;
    }
    const TAddress sentTo = mapWriteAddress(static_cast<TAddress>(o.address));
    std::string target = where;
    if (sentTo != o.address)
        target += " (sent as " + hexAddress(sentTo) + ")";
    std::printf("write frame sent to %s, value %u (0x%04X); not confirmed\n", target.c_str(),
                unsigned(o.value), unsigned(o.value));
    return 0;
}
