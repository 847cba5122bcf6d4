#pragma once

// A bare serial client for the simulator's ptys, opening the port the way the
// program does (non-blocking, no controlling tty, flock, exclusive) so tests can
// look at the raw bytes of a line.

#include <cstdint>
#include <string>
#include <vector>

class PtyClient {
public:
    ~PtyClient() { close(); }

    bool open(const std::string &path);
    void close();
    bool isOpen() const { return fd_ >= 0; }

    bool write(const std::vector<std::uint8_t> &bytes);
    // Reads until `count` bytes arrived or `deadlineMs` passed; returns what came.
    std::vector<std::uint8_t> read(std::size_t count, int deadlineMs);

private:
    int fd_ = -1;
};
