// The display tick of one panel on its own: ten tiles, a plant model, one snapshot.

#include "displaytick.h"
#include "plantmodel.h"
#include "tcontroller.h"

#include <QLineEdit>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

class DisplayTick : public ::testing::Test {
protected:
    DisplayTick()
    {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            owned[slot] = std::make_unique<TController>();
            tiles[slot] = owned[slot].get();
            tiles[slot]->setIdText(QString::number(40 + slot));
        }
    }
    unsigned tick(int panel) { return refreshPanelTiles(model, panel, tiles, model.readingsSnapshot(panel)); }
    QString field(int slot, const char *name) const
    {
        return tiles[slot]->findChild<QLineEdit *>(QLatin1String(name))->text();
    }
    int bar(int slot) const { return tiles[slot]->findChild<QProgressBar *>(QStringLiteral("PrgOut"))->value(); }

    PlantModel model;
    std::array<std::unique_ptr<TController>, kSlotCount + 1> owned;
    PanelTiles tiles{};
};

TEST_F(DisplayTick, TilesShowTextsAndLampsOfTheirSlotAndGiveTheirStations)
{
    struct Case {
        int slot;
        SlotReading reading;
        int status;
        int bar;
    } cases[] = {
        {1, {"25.3", "30.0", "537"}, 0x19, 537},
        {2, {"-5", "0", "1200"}, 0x02, 1000},
        {3, {"", "", ""}, 0x00, 0},
        {10, {"1.2e+04", "100.00", "0"}, 0x11, 0},
    };
    for (const Case &c : cases) {
        model.setReading(2, c.slot, c.reading);
        model.storeLamps(2, c.slot, TileLamps::fromStatus(c.status));
    }
    EXPECT_EQ(tick(2), 0u);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(field(c.slot, "TxtPV"), c.reading.PvText);
        EXPECT_EQ(field(c.slot, "TxtSV"), c.reading.SvText);
        EXPECT_EQ(bar(c.slot), c.bar);
        EXPECT_EQ(tiles[c.slot]->lamps(), TileLamps::fromStatus(c.status));
    }
    for (int slot = 1; slot <= kSlotCount; ++slot)
        EXPECT_EQ(model.stationId(2, slot), 40 + slot);
    EXPECT_EQ(model.stationId(1, 1), 1) << "other panels' stations untouched";

    // Lamps switched off again are shown off.
    model.storeLamps(2, 1, TileLamps{});
    tick(2);
    EXPECT_EQ(tiles[1]->lamps(), TileLamps{});
}

TEST_F(DisplayTick, UnusableIdKeepsItsStationAndTheOtherSlotsGoOn)
{
    model.setStationId(1, 4, 7);
    tiles[4]->setIdText(QStringLiteral("99999999999"));
    model.setReading(1, 5, {"42.0", "50.0", "10"});
    EXPECT_EQ(tick(1), 1u << 4);
    EXPECT_EQ(model.stationId(1, 4), 7);
    EXPECT_EQ(model.stationId(1, 5), 45);
    EXPECT_EQ(field(5, "TxtPV"), "42.0");
}

} // namespace
