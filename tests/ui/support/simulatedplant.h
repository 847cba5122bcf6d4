#pragma once

// The whole program on tempmon-sim: the simulator's lines are COM1, COM2, ... through
// the port map, as an operator would set it, and any other port does not exist.

#include "homefixture.h"
#include "simprocess.h"
#include "systemserialport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The station the simulator gives slot `slot` of line `panel`: 1-10, 11-20, 21-30.
inline int simStation(int panel, int slot) { return (panel - 1) * 10 + slot; }

// Lines 1..`lines` on COM1.. at 38400 baud with the initial converter (4-wire, echo)
// and protocol, and the simulator's stations in the tiles.
inline void seedSimulatedLines(MemorySettingsStore &store, int lines)
{
    for (int panel = 1; panel <= lines; ++panel) {
        const QLatin1Char letter(" ABC"[panel]);
        for (int slot = 1; slot <= 10; ++slot)
            store.setString("FmHome", QStringLiteral("ID%1_%2").arg(letter).arg(slot),
                            QString::number(simStation(panel, slot)));
        store.setInteger("FmCommSetting", QStringLiteral("COM%1").arg(letter), panel - 1);
        store.setString("FmCommSetting", QStringLiteral("BPS%1").arg(letter), QStringLiteral("0"));
    }
    store.setInteger("FmCommSetting", "Converter", 0);
    store.setInteger("FmCommSetting", "Psl", 0);
}

class SimulatedPlantTest : public ::testing::Test {
protected:
    // Starts `lines` simulated lines that answer both protocols with the echo of a
    // 4-wire converter (the program's single protocol setting then fits them all),
    // seeds the store, lets `seed` add to it, and shows the program.
    void startPlant(int lines = 3, const std::function<void(MemorySettingsStore &)> &seed = {})
    {
        QStringList arguments;
        for (int l = 1; l <= lines; ++l)
            arguments << QStringLiteral("--line") << QStringLiteral("psl=auto,echo=on,latency=1");
        sim = std::make_unique<SimProcess>(arguments);
        ASSERT_TRUE(sim->start());
        seedSimulatedLines(store, lines);
        for (int l = 1; l <= lines; ++l)
            store.setString("SerialPortMap", QStringLiteral("COM%1").arg(l), sim->device(l));
        if (seed)
            seed(store);
        startProgram();
    }
    // A program instance on the store as it stands, on the running simulator.
    void startProgram()
    {
        auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                                 [](int) { return std::string("/nonexistent"); });
        f = std::make_unique<HomeFixture>(&store, std::move(link));
        f->home().show();
        ASSERT_TRUE(f->boxes.shown.isEmpty()) << f->boxes.shown.value(0).text.toStdString();
    }
    // The simulator's answer to `command` starts with "ok".
    bool simOk(const QString &command) { return sim->command(command).left(2) == QLatin1String("ok"); }

    void TearDown() override
    {
        f.reset();
        sim.reset();
    }

    MemorySettingsStore store;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<HomeFixture> f;
};
