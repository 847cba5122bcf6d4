#include "linehealthbook.h"

bool LineHealthBook::validIndex(int panel, int slot)
{
    return panel >= 1 && panel <= kPanelCount && slot >= 1 && slot <= kSlotCount;
}

void LineHealthBook::noteRead(int panel, int slot, const ReadOutcome &outcome, TimePoint now)
{
    if (validIndex(panel, slot))
        stations_[std::size_t(panel)][std::size_t(slot)].note(outcome, now);
}

void LineHealthBook::noteCycle(int panel, double ms)
{
    if (validIndex(panel, 1))
        cycles_[std::size_t(panel)].add(ms);
}

StationFigures LineHealthBook::station(int panel, int slot, TimePoint now) const
{
    if (!validIndex(panel, slot))
        return {};
    return stations_[std::size_t(panel)][std::size_t(slot)].figures(now);
}

CycleFigures LineHealthBook::cycle(int panel) const
{
    CycleFigures f;
    if (!validIndex(panel, 1) || cycles_[std::size_t(panel)].empty())
        return f;
    const auto &times = cycles_[std::size_t(panel)];
    f.measured = true;
    f.lastMs = times.last();
    f.medianMs = times.median();
    return f;
}
