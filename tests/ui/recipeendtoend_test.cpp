// A recipe written to the simulated plant: loaded from a file on the recipe page,
// written panel by panel and for all panels, and found in the controllers' SV
// registers scaled by each controller's decimal places.

#include "homefixture.h"
#include "recipepage.h"
#include "simprocess.h"
#include "systemserialport.h"
#include "tcontroller.h"
#include "valueformat.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

namespace {

int station(int panel, int slot) { return (panel - 1) * 10 + slot; }

// Ports 1..3 at 38400 baud; stations 1-10, 11-20, 21-30.
void seedThreeLines(MemorySettingsStore &store)
{
    for (int panel = 1; panel <= 3; ++panel) {
        for (int slot = 1; slot <= 10; ++slot)
            store.setString("FmHome", QStringLiteral("ID%1_%2").arg(QLatin1Char(" ABC"[panel])).arg(slot),
                            QString::number(station(panel, slot)));
        store.setInteger("FmCommSetting", QStringLiteral("COM%1").arg(QLatin1Char(" ABC"[panel])), panel - 1);
        store.setString("FmCommSetting", QStringLiteral("BPS%1").arg(QLatin1Char(" ABC"[panel])), QStringLiteral("0"));
    }
    store.setInteger("FmCommSetting", "Converter", 0);
    store.setInteger("FmCommSetting", "Psl", 0);
}

QString svText(TController *tile) { return tile->findChild<QLineEdit *>(QStringLiteral("TxtSV"))->text(); }

// Two decimals and a sign, so every controller's scale (0 to 2 decimals) shows.
QString recipeValue(int panel, int slot)
{
    const int hundredths = (slot % 4 == 0 ? -1 : 1) * (panel * 1000 + slot * 111 + 7);
    return QString::number(hundredths / 100.0, 'f', 2);
}

// What the controller holds for `text` with `dp` decimals: the decimals shifted in,
// truncated toward zero.
int expectedRegister(const QString &text, int dp)
{
    const long long hundredths = std::llround(text.toDouble() * 100);
    return int(dp >= 2 ? hundredths * (dp == 3 ? 10 : 1) : hundredths / (dp == 0 ? 100 : 10));
}

class RecipeEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString line = QStringLiteral("psl=auto,echo=on,latency=1");
        sim = std::make_unique<SimProcess>(QStringList{"--line", line, "--line", line, "--line", line});
        ASSERT_TRUE(sim->start());
        seedThreeLines(store);
        // COM1..COM3 are the simulator's lines through the port map; no other port exists.
        for (int l = 1; l <= 3; ++l)
            store.setString("SerialPortMap", QStringLiteral("COM%1").arg(l), sim->device(l));
        auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                                 [](int) { return std::string("/nonexistent"); });
        f = std::make_unique<HomeFixture>(&store, std::move(link));
        f->home().show();
        ASSERT_TRUE(f->boxes.shown.isEmpty()) << f->boxes.shown.value(0).text.toStdString();
    }
    void TearDown() override
    {
        f.reset();
        sim.reset();
    }

    int svRegister(int panel, int slot)
    {
        const QString answer = sim->command(QStringLiteral("get %1 %2 0").arg(panel).arg(station(panel, slot)));
        return answer.startsWith("ok ") ? answer.mid(3).toInt() : INT_MIN;
    }
    bool panelHolds(int panel, const std::array<int, 11> &expected)
    {
        for (int slot = 1; slot <= 10; ++slot)
            if (svRegister(panel, slot) != expected[slot])
                return false;
        return true;
    }
    std::array<int, 11> expectedFor(int panel)
    {
        std::array<int, 11> expected{};
        for (int slot = 1; slot <= 10; ++slot)
            expected[slot] = expectedRegister(recipeValue(panel, slot), f->model.dp(panel, slot));
        return expected;
    }
    std::string describe(int panel)
    {
        QStringList parts;
        for (int slot = 1; slot <= 10; ++slot)
            parts << QStringLiteral("%1: dp %2 '%3' -> %4").arg(slot).arg(f->model.dp(panel, slot))
                         .arg(recipeValue(panel, slot)).arg(svRegister(panel, slot));
        return parts.join("; ").toStdString();
    }

    MemorySettingsStore store;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<HomeFixture> f;
};

TEST_F(RecipeEndToEnd, ALoadedRecipeReachesTheControllersScaledByTheirDecimals)
{
    TFmHome &home = f->home();
    f->control<QAbstractButton>("BtnStart")->click();
    // The decimal-point scan is over once panel 3's last controller shows its SV.
    ASSERT_TRUE(waitUntil([&] { return !f->model.reading(3, 10).SvText.isEmpty(); }, 20000));
    std::set<int> decimals;
    for (int slot = 1; slot <= 10; ++slot)
        decimals.insert(f->model.dp(1, slot));
    ASSERT_GE(decimals.size(), 2u) << "the plant should mix scales";

    QByteArray file;
    for (int panel = 1; panel <= 3; ++panel)
        for (int slot = 1; slot <= 10; ++slot)
            file += recipeValue(panel, slot).toLatin1() + ',';
    const QString path = QDir(home.recipeFolder()).filePath("plant.txt");
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    f->control<QAbstractButton>("ImgButton4")->click();
    f->fileDialogs.answers << path;
    f->control<QAbstractButton>("BtnLoadRecipe")->click();
    ASSERT_EQ(home.recipeField(3, 10)->text(), recipeValue(3, 10));

    const std::array<int, 11> panel2Before = [&] {
        std::array<int, 11> r{};
        for (int slot = 1; slot <= 10; ++slot)
            r[slot] = svRegister(2, slot);
        return r;
    }();
    f->control<QAbstractButton>("BtnWriteA")->click();
    ASSERT_TRUE(waitUntil([&] { return panelHolds(1, expectedFor(1)); }, 15000)) << describe(1);
    ASSERT_TRUE(waitUntil([&] { return !home.recipePage()->writing(); }, 5000));
    EXPECT_TRUE(panelHolds(2, panel2Before)) << "panel 1's write reached panel 2";

    f->control<QAbstractButton>("BtnWriteAll")->click();
    for (int panel = 1; panel <= 3; ++panel)
        ASSERT_TRUE(waitUntil([&] { return panelHolds(panel, expectedFor(panel)); }, 20000)) << describe(panel);
    ASSERT_TRUE(waitUntil([&] { return !home.recipePage()->writing(); }, 5000));
    // Panel 1's tiles follow the new set values.
    const std::array<int, 11> panel1 = expectedFor(1);
    for (int slot = 1; slot <= 10; ++slot) {
        const QString shown = formatReading(panel1[slot], f->model.dp(1, slot));
        EXPECT_TRUE(waitUntil([&] { return svText(home.tile(1, slot)) == shown; }, 5000))
            << slot << ": " << svText(home.tile(1, slot)).toStdString() << " not " << shown.toStdString();
    }
    // Only the program's completion message; no refusal.
    for (const ShownBox &box : f->boxes.shown)
        EXPECT_EQ(box.caption, "訊息") << box.text.toStdString();
}

} // namespace
