// The whole program on the simulated plant: three lines of ten controllers on
// pseudo-terminals, the real link and engine, the main window offscreen.

#include "simulatedplant.h"
#include "tcontroller.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

QString pvText(TController *tile) { return tile->findChild<QLineEdit *>(QStringLiteral("TxtPV"))->text(); }
QString svText(TController *tile) { return tile->findChild<QLineEdit *>(QStringLiteral("TxtSV"))->text(); }

// What panel 1's slots hold, for the failure message.
std::string describePanel(PlantModel &model, int panel)
{
    QStringList parts;
    for (int slot = 1; slot <= 10; ++slot) {
        const SlotRecord r = model.slot(panel, slot);
        parts << QStringLiteral("%1:id=%2 pv='%3' sv='%4'%5")
                     .arg(slot)
                     .arg(r.StationId)
                     .arg(r.reading.PvText, r.reading.SvText, r.Unlinked ? QStringLiteral(" unlinked") : QString());
    }
    return parts.join(QLatin1String("; ")).toStdString();
}

class EndToEnd : public SimulatedPlantTest {
protected:
    void SetUp() override { startPlant(); }
};

TEST_F(EndToEnd, LiveReadingsFailuresAndLamps)
{
    f->control<QAbstractButton>("BtnStart")->click();
    TFmHome &home = f->home();

    // Live PV and SV in every tile of panel 1 within a few seconds.
    ASSERT_TRUE(waitUntil([&] {
        for (int slot = 1; slot <= 10; ++slot)
            if (pvText(home.tile(1, slot)).isEmpty() || svText(home.tile(1, slot)).isEmpty())
                return false;
        return true;
    }, 15000)) << describePanel(f->model, 1);

    // Registers pinned in held controllers come out scaled by the decimal places the
    // scan found: stations 1, 2, 6 and 9 show one decimal, 4 two (its DP register),
    // 7 none.
    struct Pinned {
        int slot;
        int reg;
        const char *raw;
        const char *text;
    } const pinned[] = {
        {1, 0x8A, "2505", "250.5"},   {2, 0x8A, "0xFFF1", "-1.5"}, {4, 0x8A, "12346", "123.50"},
        {7, 0x8A, "-200", "-200"},    {9, 0x8A, "12347", "1235.0"}, {6, 0x00, "1234", "123.4"},
        {4, 0x00, "-5", "-0.05"},
    };
    for (const Pinned &p : pinned) {
        ASSERT_EQ(sim->command(QStringLiteral("hold 1 %1 on").arg(p.slot)), "ok");
        ASSERT_EQ(sim->command(QStringLiteral("set 1 %1 %2 %3").arg(p.slot).arg(p.reg).arg(p.raw)), "ok");
    }
    for (const Pinned &p : pinned) {
        SCOPED_TRACE(QStringLiteral("slot %1 register %2 = %3").arg(p.slot).arg(p.reg).arg(p.raw).toStdString());
        const bool isPv = p.reg == 0x8A;
        const QString expected = QString::fromLatin1(p.text);
        const auto shown = [&] {
            const SlotReading r = f->model.reading(1, p.slot);
            TController *tile = home.tile(1, p.slot);
            return isPv ? r.PvText == expected && pvText(tile) == expected
                        : r.SvText == expected && svText(tile) == expected;
        };
        EXPECT_TRUE(waitUntil(shown, 10000))
            << "tile PV '" << pvText(home.tile(1, p.slot)).toStdString() << "' SV '"
            << svText(home.tile(1, p.slot)).toStdString() << "'; " << describePanel(f->model, 1);
    }

    // A controller that falls silent is marked unlinked and its tile goes blank.
    ASSERT_EQ(sim->command("fault 1 3 silent").left(2), "ok");
    // Four cycles with six timed-out attempts each: allow for a busy machine.
    ASSERT_TRUE(waitUntil([&] { return f->model.unlinked(1, 3); }, 40000)) << describePanel(f->model, 1);
    ASSERT_TRUE(waitUntil([&] { return pvText(home.tile(1, 3)).isEmpty() && svText(home.tile(1, 3)).isEmpty(); }, 5000));
    EXPECT_FALSE(pvText(home.tile(1, 4)).isEmpty());

    // The lamps follow the status register: 0x19 lights OUT1, AL1 and AL2.
    ASSERT_EQ(sim->command("hold 1 5 on").left(2), "ok");
    ASSERT_EQ(sim->command("set 1 5 0x88 25").left(2), "ok");
    ASSERT_TRUE(waitUntil([&] {
        const TileLamps lamps = home.tile(1, 5)->lamps();
        return lamps.out1 && !lamps.out2 && lamps.al1 && lamps.al2;
    }, 10000));
    ASSERT_EQ(sim->command("set 1 5 0x88 2").left(2), "ok");
    ASSERT_TRUE(waitUntil([&] {
        const TileLamps lamps = home.tile(1, 5)->lamps();
        return !lamps.out1 && lamps.out2 && !lamps.al1 && !lamps.al2;
    }, 10000));
}

} // namespace
