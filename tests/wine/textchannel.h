#pragma once

// A line-based conversation with a Linux helper program from a Windows program under
// Wine: commands go into a FIFO that feeds the helper's standard input, and each
// answer is the next line that appears in the file its standard output goes to.
// Both are named by Windows paths (drive Z: is the Linux root).

#include <string>

class TextChannel {
public:
    TextChannel() = default;
    ~TextChannel();
    TextChannel(const TextChannel &) = delete;
    TextChannel &operator=(const TextChannel &) = delete;

    bool open(const std::string &commands, const std::string &answers, std::string &error);
    // Passes over everything the helper has said so far.
    void skipToEnd();
    // The next complete line of the answers, waiting up to `timeoutMs`.
    bool nextLine(std::string &line, int timeoutMs);
    // One command line and its answer line, or empty on timeout.
    std::string command(const std::string &line, int timeoutMs = 5000);

private:
    void *commands_ = nullptr; // HANDLE of the FIFO
    void *answers_ = nullptr;  // HANDLE of the answers file
    unsigned long long offset_ = 0;
    std::string pending_;
};
