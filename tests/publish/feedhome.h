#pragma once

// The program's windows on the simulated plant, wired to a plant feed as the entry
// wires them, for the web view's end-to-end test and benchmark. Everything else is
// the window tests' fixture: a store in memory, recorded message boxes, alarm tables
// in a folder of the test's.

#include "homefixture.h"
#include "plantfeed.h"
#include "simulatedplant.h"
#include "systemserialport.h"

struct FeedHolder {
    PlantFeed feed;
};

class FeedHome : public FeedHolder, public HomeFixture {
public:
    explicit FeedHome(MemorySettingsStore &store)
        : HomeFixture(&store,
                      // Ports come from the store's port map, which names the simulator's lines.
                      std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                                   [](int) { return std::string("/nonexistent"); }),
                      &feed)
    {
    }
};

// The simulator with `lines` lines and a store that points the program at them.
inline std::unique_ptr<SimProcess> startSimulatedLines(MemorySettingsStore &store, int lines)
{
    QStringList arguments;
    for (int l = 1; l <= lines; ++l)
        arguments << QStringLiteral("--line") << QStringLiteral("psl=auto,echo=on,latency=1");
    auto sim = std::make_unique<SimProcess>(arguments);
    if (!sim->start())
        return nullptr;
    seedSimulatedLines(store, lines);
    for (int l = 1; l <= lines; ++l)
        store.setString("SerialPortMap", QStringLiteral("COM%1").arg(l), sim->device(l));
    return sim;
}
