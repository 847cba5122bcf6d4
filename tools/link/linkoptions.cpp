#include "linkoptions.h"

#include "integertext.h"

#include <map>
#include <optional>
#include <set>

namespace {

LinkParse fail(std::string error)
{
    LinkParse p;
    p.error = std::move(error);
    return p;
}

bool inRange(const std::string &text, long low, long high, long &value)
{
    const std::optional<long long> read = readIntegerInRange(text, low, high);
    if (read)
        value = long(*read);
    return read.has_value();
}

// The highest port number the communication settings offer.
constexpr long kLastPort = 256;

const std::set<std::string> kValueOptions = {"--port", "--device", "--baud", "--psl",
                                             "--converter", "--station", "--address",
                                             "--retry", "--value", "--count"};

// The speeds the controllers and the serial backends offer.
const std::set<long long> kBaudRates = {110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400};

} // namespace

LinkParse parseLinkOptions(const std::vector<std::string> &args)
{
    std::map<std::string, std::string> given;
    std::string actionWord;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (arg == "--help" || arg == "-h") {
            LinkParse p;
            p.ok = true;
            p.options.action = LinkAction::Help;
            return p;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!actionWord.empty())
                return fail("unexpected argument '" + arg + "'");
            actionWord = arg;
            continue;
        }
        std::string value;
        bool haveValue = false;
        const std::size_t eq = arg.find('=');
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            haveValue = true;
        }
        if (!kValueOptions.count(arg))
            return fail("unknown option '" + arg + "'");
        if (!haveValue) {
            if (i + 1 >= args.size())
                return fail(arg + " needs a value");
            value = args[++i];
        }
        if (given.count(arg))
            return fail(arg + " given twice");
        given[arg] = value;
    }

    LinkParse p;
    LinkOptions &o = p.options;
    if (actionWord == "read")
        o.action = LinkAction::Read;
    else if (actionWord == "write")
        o.action = LinkAction::Write;
    else if (actionWord == "stats")
        o.action = LinkAction::Stats;
    else if (actionWord.empty())
        return fail("say read, write or stats");
    else
        return fail("unknown action '" + actionWord + "' (read, write or stats)");

    const bool hasPort = given.count("--port") != 0;
    const bool hasDevice = given.count("--device") != 0;
    if (hasPort == hasDevice)
        return fail("give either --port N or --device PATH");
    long n = 0;
    if (hasPort) {
        if (!inRange(given["--port"], 1, kLastPort, n))
            return fail("--port must be 1 to " + std::to_string(kLastPort) + ", not '" + given["--port"] + "'");
        o.port = int(n);
    } else {
        o.device = given["--device"];
        if (o.device.empty())
            return fail("--device needs a path");
    }

    if (given.count("--baud")) {
        const std::optional<long long> baud = readInteger(given["--baud"]);
        if (!baud || !kBaudRates.count(*baud))
            return fail("--baud must be one of 110 300 600 1200 2400 4800 9600 19200 38400, not '"
                        + given["--baud"] + "'");
        o.baud = int(*baud);
    }

    if (!given.count("--psl"))
        return fail("--psl rtu|vorn is missing");
    if (given["--psl"] == "rtu")
        o.psl = TPsl::rtu;
    else if (given["--psl"] == "vorn")
        o.psl = TPsl::vorn;
    else
        return fail("--psl must be rtu or vorn, not '" + given["--psl"] + "'");

    if (!given.count("--converter"))
        return fail("--converter echo|direct is missing");
    if (given["--converter"] == "echo")
        o.converter = TConverter::RS422_485;
    else if (given["--converter"] == "direct")
        o.converter = TConverter::RS485;
    else
        return fail("--converter must be echo or direct, not '" + given["--converter"] + "'");

    if (!given.count("--station"))
        return fail("--station is missing");
    if (!inRange(given["--station"], 1, 255, n))
        return fail("--station must be 1 to 255, not '" + given["--station"] + "'");
    o.station = int(n);

    // Statistics read the process value unless told otherwise.
    if (o.action == LinkAction::Stats && !given.count("--address"))
        given["--address"] = "0x8A";
    if (!given.count("--address"))
        return fail("--address is missing");
    if (!inRange(given["--address"], 0, 255, n))
        return fail("--address must be 0 to 255 (or 0x00 to 0xFF), not '" + given["--address"] + "'");
    o.address = int(n);

    if (given.count("--retry")) {
        if (o.action == LinkAction::Write)
            return fail("--retry applies to read and stats only: a write is sent once");
        if (!inRange(given["--retry"], 0, 100, n))
            return fail("--retry must be 0 to 100, not '" + given["--retry"] + "'");
        o.retry = int(n);
    }

    if (o.action == LinkAction::Write) {
        if (!given.count("--value"))
            return fail("--value is missing");
        if (!inRange(given["--value"], -32768, 65535, n))
            return fail("--value must be -32768 to 65535 (or 0x0000 to 0xFFFF), not '"
                        + given["--value"] + "'");
        o.value = static_cast<std::uint16_t>(n & 0xFFFF);
    } else if (given.count("--value")) {
        return fail("--value applies to write only");
    }

    if (o.action == LinkAction::Stats) {
        if (!given.count("--count"))
            return fail("--count is missing");
        if (!inRange(given["--count"], 1, 1000000, n))
            return fail("--count must be 1 to 1000000, not '" + given["--count"] + "'");
        o.count = int(n);
    } else if (given.count("--count")) {
        return fail("--count applies to stats only");
    }

    p.ok = true;
    return p;
}

std::string linkUsage()
{
    return "usage: tempmon-link read  (--port N | --device PATH) [--baud B] --psl rtu|vorn\n"
           "                          --converter echo|direct --station S --address A [--retry R]\n"
           "       tempmon-link write (--port N | --device PATH) [--baud B] --psl rtu|vorn\n"
           "                          --converter echo|direct --station S --address A --value V\n"
           "       tempmon-link stats (--port N | --device PATH) [--baud B] --psl rtu|vorn\n"
           "                          --converter echo|direct --station S [--address A] --count K\n"
           "                          [--retry R]\n"
           "       tempmon-link --help\n"
           "Reads or writes one controller register. --port N (1 to 256) uses the program's\n"
           "port map (COMn); --device opens PATH directly. B is 110 to 38400 (default 38400),\n"
           "S 1 to 255, A 0 to 255, R 0 to 100 repeats (default 3), V -32768 to 65535;\n"
           "numbers may be signed and 0x-hex.\n"
           "A write is sent once and never confirmed.\n"
           "stats reads register A (default 0x8A, the process value) K times (1 to 1000000)\n"
           "and prints one figure a line: transactions, good, timeouts, checksum, echo (failed\n"
           "attempts by reason), median_ms and p95_ms (times of the good replies; '-' when\n"
           "there was none).\n"
           "Exit status: 0 done (stats: at least one good reply), 1 no valid reply or port\n"
           "unusable, 2 bad arguments.\n";
}

std::string attemptsText(int attempts)
{
    return std::to_string(attempts) + (attempts == 1 ? " attempt" : " attempts");
}
