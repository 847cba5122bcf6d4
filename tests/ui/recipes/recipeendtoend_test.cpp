// A recipe written to the simulated plant: loaded from a file on the recipe page,
// written panel by panel and for all panels, and found in the controllers' SV
// registers scaled by each controller's decimal places.

#include "recipepage.h"
#include "simulatedplant.h"
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

class RecipeEndToEnd : public SimulatedPlantTest {
protected:
    void SetUp() override
    {
        startPlant();
        if (HasFatalFailure())
            return;
    }

    int svRegister(int panel, int slot)
    {
        const QString answer = sim->command(QStringLiteral("get %1 %2 0").arg(panel).arg(simStation(panel, slot)));
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
