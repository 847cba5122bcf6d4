#pragma once

// A poll cycle over fake controllers, wired as the engine thread wires it: the plant
// model, a link to the fakes, the recorded events and a fixed clock. A fixture sets
// the lines and the controllers up and runs `cycle`.

#include "fakecontrollers.h"
#include "plantmodel.h"
#include "pollcycle.h"
#include "recordingevents.h"

#include <memory>

struct PolledLine {
    FakeControllers bench;
    PlantModel model;
    std::unique_ptr<TRs485Comm> link = bench.makeLink();
    RecordingEvents events;
    FixedClock clock;
    bool stop = false;
    PollCycle cycle{model, *link, events, clock, [this] { return stop; }};
};
