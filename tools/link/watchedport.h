#pragma once

// Passes every call to the real port and remembers how opening and configuring went,
// so the tool can tell "the port is unusable" from "the controller did not answer".

#include "serialport.h"

#include <memory>
#include <string>

struct PortOutcome {
    bool openTried = false;
    bool opened = false;
    bool configured = false;
    std::string openError; // the system's reason when the open failed
};

class WatchedPort : public SerialPort {
public:
    WatchedPort(std::unique_ptr<SerialPort> inner, std::shared_ptr<PortOutcome> outcome);

    bool open(const std::string &deviceName) override;
    bool configure(const LineConfig &config) override;
    int write(const std::uint8_t *data, int count, int timeoutMs) override;
    int read(std::uint8_t *data, int count, int deadlineMs) override;
    bool drain(int timeoutMs) override;
    void purge(bool input, bool output) override;
    void close() override;
    void interrupt() override;

private:
    std::unique_ptr<SerialPort> inner_;
    std::shared_ptr<PortOutcome> outcome_;
};
