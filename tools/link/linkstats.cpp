#include "linkstats.h"

#include "timewindow.h"

#include <cstdio>

namespace {

std::string milliseconds(std::vector<float> times, double q)
{
    if (times.empty())
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", quantileOf(times.data(), times.data() + times.size(), q));
    return text;
}

} // namespace

void LinkStats::add(const ReadOutcome &outcome)
{
    ++transactions_;
    timeouts_ += outcome.timeouts;
    checksum_ += outcome.checksumErrors;
    echo_ += outcome.echoErrors;
    if (outcome.good) {
        ++good_;
        replyMs_.push_back(float(outcome.replyMs));
    }
}

std::string LinkStats::report() const
{
    const auto line = [](const char *name, const std::string &value) {
        return std::string(name) + ' ' + value + '\n';
    };
    return line("transactions", std::to_string(transactions_)) + line("good", std::to_string(good_))
         + line("timeouts", std::to_string(timeouts_)) + line("checksum", std::to_string(checksum_))
         + line("echo", std::to_string(echo_)) + line("median_ms", milliseconds(replyMs_, 0.5))
         + line("p95_ms", milliseconds(replyMs_, 0.95));
}
