#include "stationhealth.h"

void StationHealth::note(const ReadOutcome &outcome, TimePoint now)
{
    ++transactions_;
    timeouts_ += outcome.timeouts;
    checksum_ += outcome.checksumErrors;
    echo_ += outcome.echoErrors;
    if (outcome.attempts > 1)
        retries_ += outcome.attempts - 1;
    if (outcome.timeouts + outcome.checksumErrors + outcome.echoErrors > 0)
        lastFailure_ = now;
    if (outcome.good) {
        ++good_;
        replyTimes_.add(outcome.replyMs);
    }
}

StationFigures StationHealth::figures(TimePoint now) const
{
    StationFigures f;
    f.transactions = transactions_;
    f.good = good_;
    f.timeouts = timeouts_;
    f.checksum = checksum_;
    f.echo = echo_;
    f.retries = retries_;
    f.hasReplyTime = !replyTimes_.empty();
    if (f.hasReplyTime) {
        f.lastMs = replyTimes_.last();
        f.medianMs = replyTimes_.median();
        f.p95Ms = replyTimes_.quantile(0.95);
    }
    if (lastFailure_)
        f.secondsSinceFailure = std::chrono::duration<double>(now - *lastFailure_).count();
    return f;
}
