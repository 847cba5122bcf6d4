#include "deviation.h"

#include <optional>

namespace {

std::optional<double> number(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// One side's step. Returns the number to announce, or 0 for none.
int step(bool beyond, bool &active, AlarmState &state, bool firstAlarm)
{
    if (!beyond) {
        active = false;
        return 0;
    }
    if (active)
        return 0;
    active = true;
    ++state.EventCount;
    // Without FirstAlarm the first excursion after a reset is counted silently and
    // the announcements are numbered from the second one.
    return firstAlarm ? state.EventCount : state.EventCount - 1;
}

} // namespace

std::vector<AlarmNotice> evaluateDeviation(const AlarmLimits &limits, AlarmState &state,
                                           const QString &pvText, const QString &svText)
{
    if (pvText.isEmpty() || svText.isEmpty() || limits.HAlarm.isEmpty())
        return {};
    const std::optional<double> pv = number(pvText);
    const std::optional<double> sv = number(svText);
    const std::optional<double> low = number(limits.LAlarm);
    const std::optional<double> high = number(limits.HAlarm);
    if (!pv || !sv || !low || !high)
        return {};

    std::vector<AlarmNotice> due;
    if (const int n = step(*pv < *sv - *low, state.LowActive, state, limits.FirstAlarm); n > 0)
        due.push_back({AlarmSide::Low, n});
    if (const int n = step(*pv > *sv + *high, state.HighActive, state, limits.FirstAlarm); n > 0)
        due.push_back({AlarmSide::High, n});
    return due;
}
