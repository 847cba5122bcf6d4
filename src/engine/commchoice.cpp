#include "commchoice.h"

#include "strictint.h"

#include <iterator>
#include <optional>

namespace {

constexpr int kBaudRates[] = {38400, 19200, 9600, 4800, 2400};

std::optional<TConverter> converterForItem(int index)
{
    switch (index) {
    case 0: return TConverter::RS422_485;
    case 1: // a 2-wire converter and a plain RS232 line both give no echo
    case 2: return TConverter::RS485;
    default: return std::nullopt;
    }
}

std::optional<TPsl> protocolForItem(int index)
{
    switch (index) {
    case 0: return TPsl::vorn;
    case 1: return TPsl::rtu;
    default: return std::nullopt;
    }
}

} // namespace

LineChoice lineSettingsForChoice(const LineSettings &current, const CommChoice &choice)
{
    LineChoice result;
    result.line = current;
    LineSettings &line = result.line;
    if (!choice.typedPort.isEmpty()) {
        const std::optional<int> port = strToInt(choice.typedPort);
        if (!port) {
            result.outcome = LineChoice::Outcome::TypedPortNotANumber;
            return result;
        }
        if (*port < 1 || *port > kLastTypedComPort) {
            result.outcome = LineChoice::Outcome::TypedPortOutOfRange;
            result.refusedPort = *port;
            return result;
        }
        line.ComPort = *port;
    } else if (choice.portItem >= 0 && choice.portItem < kListedComPorts) {
        line.ComPort = choice.portItem + 1;
    } else {
        // Rather quiet than polling some other line.
        line.ComPort = 0;
        result.outcome = LineChoice::Outcome::NoPort;
    }
    if (const auto converter = converterForItem(choice.converterItem))
        line.Converter = *converter;
    if (const auto psl = protocolForItem(choice.pslItem))
        line.Psl = *psl;
    if (choice.bpsItem >= 0 && choice.bpsItem < int(std::size(kBaudRates)))
        line.BaudRate = kBaudRates[choice.bpsItem];
    return result;
}

int portItemForComPort(int comPort)
{
    if (comPort > kListedComPorts)
        return kListedComPorts - 1;
    return comPort >= 1 ? comPort - 1 : -1;
}

int bpsItemForBaudRate(int baudRate)
{
    for (int i = 0; i < int(std::size(kBaudRates)); ++i) {
        if (kBaudRates[i] == baudRate)
            return i;
    }
    return -1;
}
