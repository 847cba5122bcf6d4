#include "watchedport.h"

#include <cerrno>
#include <cstring>

WatchedPort::WatchedPort(std::unique_ptr<SerialPort> inner, std::shared_ptr<PortOutcome> outcome)
    : inner_(std::move(inner)), outcome_(std::move(outcome))
{
}

bool WatchedPort::open(const std::string &deviceName)
{
    errno = 0;
    outcome_->openTried = true;
    outcome_->opened = inner_->open(deviceName);
    if (!outcome_->opened) {
        // The exclusive lock answers "try again", which tells an operator nothing.
        if (errno == EWOULDBLOCK || errno == EBUSY)
            outcome_->openError = "in use by another program";
        else
            outcome_->openError = errno ? std::strerror(errno) : "refused";
    }
    return outcome_->opened;
}

bool WatchedPort::configure(const LineConfig &config)
{
    outcome_->configured = inner_->configure(config);
    return outcome_->configured;
}

int WatchedPort::write(const std::uint8_t *data, int count, int timeoutMs)
{
    return inner_->write(data, count, timeoutMs);
}

int WatchedPort::read(std::uint8_t *data, int count, int deadlineMs)
{
    return inner_->read(data, count, deadlineMs);
}

bool WatchedPort::drain(int timeoutMs)
{
    return inner_->drain(timeoutMs);
}

void WatchedPort::purge(bool input, bool output)
{
    inner_->purge(input, output);
}

void WatchedPort::close()
{
    inner_->close();
}

void WatchedPort::interrupt()
{
    inner_->interrupt();
}
