#include "trs485comm.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr int kWriteMsPerByte = 7;

Parity parityFor(int parityBits)
{
    switch (parityBits) {
    case 1: return Parity::Odd;
    case 2: return Parity::Even;
    default: return Parity::None;
    }
}

// Why an attempt that was not accepted failed. The echo is judged only as far as bytes
// came: an echo line that hands back the reply alone (a 2-wire converter set up as a
// 4-wire one) shows as an echo fault, a slow but faithful one as a timeout.
void countFailedAttempt(ReadOutcome &outcome, const Frame &request, const ReplyLayout &layout,
                        const std::uint8_t *bytes, int count)
{
    if (count <= 0) {
        ++outcome.timeouts;
        return;
    }
    const int echoed = std::min(count, layout.replyOffset);
    if (!std::equal(bytes, bytes + echoed, request.begin()))
        ++outcome.echoErrors;
    else if (count < layout.bytesRead)
        ++outcome.timeouts;
    else
        ++outcome.checksumErrors;
}

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TRs485Comm::TRs485Comm(SerialPortFactory portFactory, PortNameResolver portNames)
    : portFactory_(std::move(portFactory)), portNames_(std::move(portNames))
{
    // The port object is made once, so abort() from another thread never races with
    // its creation; the device itself is opened per transaction.
    if (portFactory_)
        port_ = portFactory_();
}

TRs485Comm::~TRs485Comm()
{
    if (port_)
        port_->close();
}

std::string TRs485Comm::ReceivedValue() const
{
    return receivedNumber_ ? valueText(*receivedNumber_) : std::string();
}

void TRs485Comm::abort()
{
    aborted_ = true;
    if (port_)
        port_->interrupt();
}

bool TRs485Comm::OpenPort(int port, unsigned short baud)
{
    portReady_ = false;
    if (!port_ || aborted_)
        return false;
    const std::string device = !Device.empty() ? Device : portNames_ ? portNames_(port) : std::string();
    if (device.empty() || !port_->open(device))
        return false;
    config_.baudRate = baud;
    config_.dataBits = DataBits;
    config_.parity = parityFor(ParityBits);
    config_.stopBits = StopBits == 2 ? 2 : 1;
    portReady_ = port_->configure(config_);
    if (!portReady_)
        port_->close();
    return portReady_;
}

void TRs485Comm::ClosePort(bool outputDrained)
{
    if (!port_)
        return;
    if (portReady_) {
        // A completed drain leaves nothing to discard on a real port, while discarding
        // the output of a pseudo-terminal would drop what the other side has not read.
        port_->purge(true, !outputDrained);
        port_->close();
    }
    portReady_ = false;
}

void TRs485Comm::Send(TCommand command, TAddress address, int station, unsigned short value)
{
    {
        std::unique_lock<std::mutex> lock(busyMutex_);
        busyChanged_.wait(lock, [this] { return !receiveInProgress_ && !sendInProgress_; });
        sendInProgress_ = true;
    }
    lastWriteCount_ = 0;
    lastReadCount_ = 0;
    if (OpenPort(ComPort, BaudRate)) {
        const Frame frame = buildWriteFrame(Psl, command, address, station, value);
        const int budget = kWriteMsPerByte * int(frame.size());
        lastWriteCount_ = port_->write(frame.data(), int(frame.size()), budget);
        if (frameObserver_)
            frameObserver_(true, frame.data(), lastWriteCount_);
        const bool drained = port_->drain(budget);
        ClosePort(drained);
    }
    {
        std::lock_guard<std::mutex> lock(busyMutex_);
        sendInProgress_ = false;
    }
    busyChanged_.notify_all();
}

bool TRs485Comm::Receive(int station, TAddress address)
{
    {
        std::unique_lock<std::mutex> lock(busyMutex_);
        busyChanged_.wait(lock, [this] { return !sendInProgress_ && !receiveInProgress_; });
        receiveInProgress_ = true;
    }
    lastWriteCount_ = 0;
    lastReadCount_ = 0;
    lastReadOutcome_ = ReadOutcome{};
    bool accepted = false;
    // A port that cannot be opened fails every attempt at once, so no attempt is made.
    if (OpenPort(ComPort, BaudRate)) {
        const Frame request = buildReadRequest(Psl, station, address);
        const ReplyLayout layout = replyLayout(Psl, Converter);
        std::vector<std::uint8_t> reply(std::size_t(layout.bytesRead));
        const int attempts = ReadRetry >= 0 ? ReadRetry + 1 : 1;
        for (int attempt = 0; attempt < attempts && !aborted_; ++attempt) {
            // No purge and no pause between attempts: bytes that come too late for one
            // attempt are the first bytes the next one reads.
            const auto started = std::chrono::steady_clock::now();
            lastWriteCount_ = port_->write(request.data(), int(request.size()),
                                           kWriteMsPerByte * int(request.size()));
            lastReadCount_ =
                port_->read(reply.data(), layout.bytesRead, ReadByteTimeout * layout.bytesRead);
            if (frameObserver_) {
                frameObserver_(true, request.data(), lastWriteCount_);
                frameObserver_(false, reply.data(), lastReadCount_);
            }
            const ReplyCheck check =
                checkReply(Psl, Converter, reply.data(), std::size_t(lastReadCount_));
            ++lastReadOutcome_.attempts;
            if (check.accepted()) {
                receivedNumber_ = check.value;
                accepted = true;
                lastReadOutcome_.good = true;
                lastReadOutcome_.replyMs = msSince(started);
                break;
            }
            countFailedAttempt(lastReadOutcome_, request, layout, reply.data(), lastReadCount_);
        }
        ClosePort(true);
    } else if (!aborted_) {
        lastReadOutcome_.attempts = 1;
        lastReadOutcome_.timeouts = 1;
    }
    {
        std::lock_guard<std::mutex> lock(busyMutex_);
        receiveInProgress_ = false;
    }
    busyChanged_.notify_all();
    return accepted;
}
